// What built-ins and drag-and-drop actions do to the world: creating,
// copying, destroying and changing instances, deactivating and activating
// them, asking for room changes, a load, the game's end or restart, place,
// collision and distance queries, random, contact, bounce, snap and wrap
// movement, the screen saves and the run-state reset.
//
// A selector names instances: kInstanceAll every instance of the current
// room, an id of kFirstInstanceId or more that instance (absent once marked
// for deletion), any other value an object with its descendants.
#pragma once

#include <cstdint>

#include "script/variables/instance_selector.h"

class CInstance;

// Instances.
// The motion a new instance takes before its Create event runs, so that
// the event sees it and may change it: speed first, then direction.
struct CreateMotion {
  float speed;
  float direction;
};
// The new instance after its Create event, or null (with a runtime error
// for a missing object; without a current room nothing is made).
CInstance* Run_CreateInstance(int32_t object, float x, float y, const CreateMotion* motion = nullptr);
// The Destroy event once, then the mark for deletion.
void Run_DestroyInstance(CInstance* instance);
// Into another object; the instance is restamped, so the running event
// pass skips it.
void Run_ChangeInstance(CInstance* instance, int32_t object, bool performEvents);
void Run_SetSprite(CInstance* instance, int32_t sprite);
void Run_PositionDestroy(float x, float y);
void Run_PositionChange(float x, float y, int32_t object, bool performEvents);
// A copy with every field of the instance but its own new id, placed in the
// room by its depth; its Create event runs when asked. Null without a
// current room.
CInstance* Run_CopyInstance(CInstance* instance, bool performCreate);

// Deactivation and activation. Each sets or clears the deactivated byte of
// the instances it names; the room then moves every instance whose byte
// changed between its active and deactivated lists, once. Nothing happens
// without a current room.
struct ActivationRegion {
  double left, top, right, bottom;
};
// Every active instance but `keep` (null keeps none).
void Run_DeactivateAll(CInstance* keep);
void Run_ActivateAll();
// One instance the caller names itself; null changes nothing.
void Run_SetDeactivated(CInstance* instance, bool deactivated);
// Every active instance, a live id, or an object's own and descendant
// instances; other negative selectors name none. Deactivated instances have
// left their objects' lists, so activation by object looks through the
// deactivated list for the object and its heirs.
void Run_DeactivateSelected(int32_t selector);
void Run_ActivateSelected(int32_t selector);
// The instances inside the region, or outside it when `inside` is false: by
// the box when the instance has a shape, else by its position; a box that
// touches the region's edge is inside.
void Run_DeactivateRegion(const ActivationRegion& region, bool inside, CInstance* keep);
void Run_ActivateRegion(const ActivationRegion& region, bool inside);

// Room requests: each sets g_newRoom, which the frame acts on at its end.
// The transition is accepted and ignored (the kind is always left 0). A
// room that cannot be reached is a fatal runtime error and sets the quit
// code.
void Run_RoomGoto(int32_t room, int32_t transition = 0);
void Run_RoomGotoPrevious(int32_t transition = 0);
void Run_RoomGotoNext(int32_t transition = 0);
void Run_RoomRestart(int32_t transition = 0);
void Run_GameEnd();
void Run_GameRestart();
// Looks for the saved game in the save folder, then the program folder; a
// found file becomes the pending load, carried out at the end of the frame.
// False (with a debug-console line) when there is none.
bool Run_GameLoad(const char* name);
// Writes the game at once to the name mapped onto the save folder.
bool Run_GameSave(const char* name);

// Queries. The instance is moved for the test and always put back.
bool Run_PlaceEmpty(CInstance* instance, float x, float y);
bool Run_PlaceFree(CInstance* instance, float x, float y);
bool Run_PlaceMeeting(CInstance* instance, int32_t selector, float x, float y);
CInstance* Run_InstancePlace(CInstance* instance, float x, float y, int32_t selector);
CInstance* Run_InstancePosition(float x, float y, int32_t selector);
bool Run_PositionMeeting(float x, float y, int32_t selector);
CInstance* Run_CollisionPoint(CInstance* self, float x, float y, int32_t selector, bool precise, bool notMe);
CInstance* Run_CollisionRectangle(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector,
                                  bool precise, bool notMe);
CInstance* Run_CollisionEllipse(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector, bool precise,
                                bool notMe);
CInstance* Run_CollisionLine(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector, bool precise,
                             bool notMe);
int32_t Run_InstanceNumber(int32_t selector);
// By squared distance of the instance's position; the first of equals in
// list order wins; an id selector finds none.
CInstance* Run_InstanceNearest(float x, float y, int32_t selector);
CInstance* Run_InstanceFurthest(float x, float y, int32_t selector);
// The n-th live instance (from 0) the selector names; an id names only
// itself, at n = 0.
CInstance* Run_InstanceFind(int32_t selector, int32_t n);
// Whether the selector names a live instance; other negative selectors
// name none.
bool Run_InstanceExists(int32_t selector);

// Distances from the instance's box, refreshed first: to a point (0 inside
// the box), and to the nearest box of another instance or of the instances
// a selector names, the instance itself left out. kFarAway when there is
// none.
constexpr double kFarAway = 1000000.0;
double Run_DistanceToPoint(CInstance* instance, double x, double y);
double Run_DistanceToInstance(CInstance* instance, CInstance* other);
double Run_DistanceToNearest(CInstance* instance, int32_t selector);

// Movement. `all` tests against every instance, otherwise only solid ones.
// A maximum of 0 or less means 1000 steps of one pixel.
void Run_MoveContact(CInstance* instance, float direction, float maximum, bool all);
void Run_MoveOutside(CInstance* instance, float direction, float maximum, bool all);
void Run_MoveBounce(CInstance* instance, bool precise, bool all);
void Run_MoveSnap(CInstance* instance, float hsnap, float vsnap);
// The margin is the sprite's scaled size.
void Run_MoveWrap(CInstance* instance, bool horizontal, bool vertical);
void Run_MoveTowardsPoint(CInstance* instance, float x, float y, float speed);
// Tries up to `tries` random places inside the room, x drawn before y, each
// snapped down to its grid when the snap is positive; the instance moves to
// the first free one. The box keeps the instance's shape inside the room.
constexpr int32_t kMoveRandomTries = 100;
void Run_MoveRandom(CInstance* instance, int32_t hsnap, int32_t vsnap, int32_t tries = kMoveRandomTries);
// Whether the instance stands on the grid within a thousandth; a snap that
// is not positive is no grid.
bool Run_PlaceSnapped(const CInstance* instance, double hsnap, double vsnap);
// The coordinate carried across a room extent when it lies more than the
// margin outside it on either side, else as it is.
double Run_WrapCoordinate(double value, double extent, double margin);

// Writes the screen, or the part of it the rectangle covers, as a BMP file
// under the save folder, whatever the name's extension; false when nothing
// was written. An empty name is reported; a rectangle with no pixel on the
// screen writes nothing and reports nothing.
bool Run_ScreenSave(const char* fileName);
bool Run_ScreenSavePart(const char* fileName, int32_t x, int32_t y, int32_t width, int32_t height);

// Lives and health. Falling from 1 or more to below 1 lives raises No More
// Lives for every instance, once; falling from above 0 to 0 or below health
// raises No More Health.
void Run_SetLives(int32_t lives);
void Run_SetHealth(double health);

// Start-up values of the run: the run state's reset, then the caption texts.
void Run_ResetState();

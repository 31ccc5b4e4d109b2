// What built-ins and drag-and-drop actions do to the world: creating,
// destroying and changing instances, asking for room changes and the
// game's end or restart, place and collision queries, contact, bounce,
// snap and wrap movement, the screen save and the run-state reset.
//
// A selector names instances: kSelectAll (-3) every instance of the current
// room, an id of kFirstInstanceId or more that instance (absent once marked
// for deletion), any other value an object with its descendants.
#pragma once

#include <cstdint>

class CInstance;

constexpr int32_t kSelectAll = -3;
constexpr int32_t kFirstInstanceId = 100000;

// Instances.
// The new instance after its Create event, or null (with a runtime error
// for a missing object; without a current room nothing is made).
CInstance* Run_CreateInstance(int32_t object, float x, float y);
// The Destroy event once, then the mark for deletion.
void Run_DestroyInstance(CInstance* instance);
// Into another object; the instance is restamped, so the running event
// pass skips it.
void Run_ChangeInstance(CInstance* instance, int32_t object, bool performEvents);
void Run_SetSprite(CInstance* instance, int32_t sprite);
void Run_PositionDestroy(float x, float y);
void Run_PositionChange(float x, float y, int32_t object, bool performEvents);

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
CInstance* Run_CollisionEllipse(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector,
                                bool precise, bool notMe);
CInstance* Run_CollisionLine(CInstance* self, float x1, float y1, float x2, float y2, int32_t selector,
                             bool precise, bool notMe);
int32_t Run_InstanceNumber(int32_t selector);
// By squared distance of the instance's position; the first of equals in
// list order wins; an id selector finds none.
CInstance* Run_InstanceNearest(float x, float y, int32_t selector);
CInstance* Run_InstanceFurthest(float x, float y, int32_t selector);

// Movement. `all` tests against every instance, otherwise only solid ones.
// A maximum of 0 or less means 1000 steps of one pixel.
void Run_MoveContact(CInstance* instance, float direction, float maximum, bool all);
void Run_MoveOutside(CInstance* instance, float direction, float maximum, bool all);
void Run_MoveBounce(CInstance* instance, bool precise, bool all);
void Run_MoveSnap(CInstance* instance, float hsnap, float vsnap);
// The margin is the sprite's scaled size.
void Run_MoveWrap(CInstance* instance, bool horizontal, bool vertical);
void Run_MoveTowardsPoint(CInstance* instance, float x, float y, float speed);

// Writes the screen as a BMP file under the save folder, whatever the
// name's extension; false when nothing was written.
bool Run_ScreenSave(const char* fileName);

// Start-up values of the run: the run state's reset, then the caption texts.
void Run_ResetState();

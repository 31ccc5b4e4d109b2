// The world motion and planning family, in registration order: placement
// and motion, motion planning, collision, instances, rooms and the game.
// move_bounce_solid shares move_bounce's handler.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/motion/handlers.h"

inline constexpr BuiltinRow kMotionRows[] = {
    {"move_random", F_MoveRandom, 2, "hsnap, vsnap", "nothing",
     "Moves the caller to a random free place with its whole box inside the room, x and y rounded down to multiples of "
     "the snaps when they are above 0; after 100 failed tries it stays where it was."},
    {"place_free", F_PlaceFree, 2, "x, y", "bool: 1 when the caller would meet no solid instance there",
     "Tries the caller's shape at (x, y) against the solid instances and puts it back; 1 without a calling instance."},
    {"place_empty", F_PlaceEmpty, 2, "x, y", "bool: 1 when the caller would meet no instance there",
     "As `place_free`, against every instance, solid or not."},
    {"place_meeting", F_PlaceMeeting, 3, "x, y, obj",
     "bool: 1 when the caller at (x, y) would meet an instance obj names",
     "obj is an object (its children's instances too), an instance id, `all` or `other`; the caller never meets "
     "itself, and it is put back after the test."},
    {"place_snapped", F_PlaceSnapped, 2, "hsnap, vsnap", "bool: 1 when the caller stands on the grid",
     "Whether x is a multiple of hsnap and y of vsnap, within a thousandth of a pixel; a snap of 0 or less is not "
     "tested."},
    {"move_snap", F_MoveSnap, 2, "hsnap, vsnap", "nothing",
     "Moves the caller to the nearest multiple of hsnap across and of vsnap down; a snap of 0 or less leaves that "
     "coordinate alone."},
    {"move_towards_point", F_MoveTowardsPoint, 3, "x, y, speed", "nothing",
     "Points the caller's motion at (x, y) with speed pixels per step; it does not stop there but keeps going."},
    {"move_contact", F_MoveContact, 1, "dir", "nothing",
     "Moves the caller pixel by pixel in direction dir (degrees counter-clockwise) until the next pixel would touch a "
     "solid instance, at most 1000 pixels; a caller that already overlaps one moves out of it that way instead."},
    {"move_contact_solid", F_MoveContactSolid, 2, "dir, maxdist", "nothing",
     "Moves the caller pixel by pixel in direction dir (degrees) until the next pixel would touch a solid instance, at "
     "most maxdist pixels (1000 when 0 or less); nothing when it overlaps one already."},
    {"move_contact_all", F_MoveContactAll, 2, "dir, maxdist", "nothing",
     "As `move_contact_solid`, stopping at any instance, solid or not."},
    {"move_outside_solid", F_MoveOutsideSolid, 2, "dir, maxdist", "nothing",
     "Moves the caller pixel by pixel in direction dir (degrees) until it no longer overlaps a solid instance, at most "
     "maxdist pixels (1000 when 0 or less); nothing when it is free already."},
    {"move_outside_all", F_MoveOutsideAll, 2, "dir, maxdist", "nothing",
     "As `move_outside_solid`, leaving every instance, solid or not."},
    {"move_bounce", F_MoveBounce, 1, "precise", "nothing",
     "Turns the caller's motion away from the solid instances it is about to hit, after stepping back to its previous "
     "place when it overlaps one; precise probes directions every 10 degrees, otherwise the horizontal and vertical "
     "speeds are flipped."},
    {"move_bounce_solid", F_MoveBounce, 1, "precise", "nothing",
     "The same call as `move_bounce`, under the name that says it bounces against solid instances."},
    {"move_bounce_all", F_MoveBounceAll, 1, "precise", "nothing",
     "As `move_bounce`, bouncing against every instance, solid or not."},
    {"move_wrap", F_MoveWrap, 3, "hor, vert, margin", "nothing",
     "Carries the caller to the other side of the room once it lies more than margin pixels outside it: across when "
     "hor is true, up and down when vert is true."},
    {"motion_set", F_MotionSet, 2, "dir, speed", "nothing",
     "Sets the caller's direction (degrees counter-clockwise) and then its speed (pixels per step)."},
    {"motion_add", F_MotionAdd, 2, "dir, speed", "nothing",
     "Adds a motion of speed pixels per step in direction dir (degrees) to the caller's motion, as vectors."},
    {"distance_to_point", F_DistanceToPoint, 2, "x, y", "real: the distance in pixels, 0 inside the box",
     "Measured from the edge of the caller's bounding box, not from its origin."},
    {"distance_to_object", F_DistanceToObject, 1, "obj", "real: the distance in pixels, 1000000 when there is none",
     "The smallest gap between the caller's bounding box and the boxes of the instances obj names (an object, an "
     "instance id, `all` or `other`), the caller left out; touching boxes give 0."},
    {"path_start", F_PathStart, 4, "path, speed, endaction, absolute", "nothing",
     "Sets the caller on the path at speed pixels per step; endaction 0 stops, 1 restarts, 2 carries on from the end, "
     "3 reverses. When absolute is true the caller is first put on the path's first point, or on its last for a "
     "negative speed; the path is then laid with its first point where the caller stands, and a negative speed runs "
     "it from its end, so on its first step the caller jumps to the far end of the path so laid."},
    {"path_end", F_PathEnd, 0, "", "nothing", "Takes the caller off its path; it stays where it is."},
    {"mp_linear_step", F_MpLinearStep, 4, "x, y, stepsize, checkall",
     "bool: 1 when the goal lies within one step, even if the caller could not move onto it",
     "Moves the caller stepsize pixels straight towards (x, y), or onto it when it is nearer, when that place is free "
     "of solid instances (of every instance when checkall is true); a blocked step leaves it where it is."},
    {"mp_linear_step_object", F_MpLinearStepObject, 4, "x, y, stepsize, obj",
     "bool: 1 when the goal lies within one step, even if the caller could not move onto it",
     "As `mp_linear_step`, counting only the instances obj names as obstacles."},
    {"mp_linear_path", F_MpLinearPath, 5, "path, xgoal, ygoal, stepsize, checkall",
     "bool: 1 when the path reaches the goal",
     "Fills the path with the straight steps the caller would take towards the goal, stopping where an obstacle blocks "
     "it; the caller does not move. A missing path is a runtime error."},
    {"mp_linear_path_object", F_MpLinearPathObject, 5, "path, xgoal, ygoal, stepsize, obj",
     "bool: 1 when the path reaches the goal",
     "As `mp_linear_path`, counting only the instances obj names as obstacles."},
    {"mp_potential_settings", F_MpPotentialSettings, 4, "maxrot, rotstep, ahead, onspot", "nothing",
     "Tunes the steering planner: the largest turn per step and the turn tried between probes (degrees), how many "
     "steps ahead it looks, and whether a blocked caller turns on the spot; the first three are at least 1."},
    {"mp_potential_step", F_MpPotentialStep, 4, "x, y, stepsize, checkall",
     "bool: 1 when the goal lies within one step, even if the caller could not move onto it",
     "Takes one step of stepsize pixels towards (x, y), turning away from solid instances (every instance when "
     "checkall is true) as far as the settings allow."},
    {"mp_potential_step_object", F_MpPotentialStepObject, 4, "x, y, stepsize, obj",
     "bool: 1 when the goal lies within one step, even if the caller could not move onto it",
     "As `mp_potential_step`, counting only the instances obj names as obstacles."},
    {"mp_potential_path", F_MpPotentialPath, 6, "path, xgoal, ygoal, stepsize, factor, checkall",
     "bool: 1 when the path reaches the goal",
     "Fills the path with the steering steps the caller would take, giving up once the path is factor times longer "
     "than the straight distance (factor at least 1); the caller does not move. A missing path is a runtime error."},
    {"mp_potential_path_object", F_MpPotentialPathObject, 6, "path, xgoal, ygoal, stepsize, factor, obj",
     "bool: 1 when the path reaches the goal",
     "As `mp_potential_path`, counting only the instances obj names as obstacles."},
    {"mp_grid_create", F_MpGridCreate, 6, "left, top, hcells, vcells, cellwidth, cellheight",
     "id: the new grid, -1 when refused",
     "Makes a grid of hcells by vcells cells of cellwidth by cellheight pixels whose top left corner is at (left, "
     "top); every cell starts free. The arguments are rounded."},
    {"mp_grid_destroy", F_MpGridDestroy, 1, "id", "nothing", "Frees the grid; its id may be given to a later grid."},
    {"mp_grid_clear_all", F_MpGridClearAll, 1, "id", "nothing", "Makes every cell of the grid free."},
    {"mp_grid_clear_cell", F_MpGridClearCell, 3, "id, h, v", "nothing",
     "Makes the cell in column h and row v free, both counted from 0; a cell outside the grid is ignored."},
    {"mp_grid_clear_rectangle", F_MpGridClearRectangle, 5, "id, x1, y1, x2, y2", "nothing",
     "Makes free every cell the rectangle covers, given in room pixels; corners beyond the grid count as its edge "
     "cells."},
    {"mp_grid_add_cell", F_MpGridAddCell, 3, "id, h, v", "nothing",
     "Marks the cell in column h and row v as forbidden, both counted from 0; a cell outside the grid is ignored."},
    {"mp_grid_add_rectangle", F_MpGridAddRectangle, 5, "id, x1, y1, x2, y2", "nothing",
     "Marks as forbidden every cell the rectangle covers, given in room pixels; corners beyond the grid count as its "
     "edge cells."},
    {"mp_grid_add_instances", F_MpGridAddInstances, 3, "id, obj, prec", "nothing",
     "Marks as forbidden the cells under the bounding boxes of the instances obj names; with prec only the cells their "
     "shapes really touch."},
    {"mp_grid_path", F_MpGridPath, 7, "id, path, xstart, ystart, xgoal, ygoal, allowdiag",
     "bool: 1 when a way was found",
     "Fills the path with a shortest way through free cell centres from the start to the goal, diagonal moves allowed "
     "when allowdiag is true; the coordinates are rounded. A missing path is a runtime error."},
    {"mp_grid_draw", F_MpGridDraw, 1, "id", "nothing",
     "Draws every cell of the grid, free cells green and forbidden ones red."},
    {"collision_point", F_CollisionPoint, 5, "x, y, obj, prec, notme",
     "id: the first instance found, `noone` when none",
     "Looks for an instance obj names (an object, an instance id or `all`) whose shape covers the point; prec uses "
     "precise masks, otherwise boxes decide, and notme leaves the caller out."},
    {"collision_rectangle", F_CollisionRectangle, 7, "x1, y1, x2, y2, obj, prec, notme",
     "id: the first instance found, `noone` when none",
     "Looks for an instance obj names that touches the rectangle; prec uses precise masks and notme leaves the caller "
     "out."},
    {"collision_ellipse", F_CollisionEllipse, 7, "x1, y1, x2, y2, obj, prec, notme",
     "id: the first instance found, `noone` when none",
     "Looks for an instance obj names that touches the ellipse inside the rectangle; prec uses precise masks and notme "
     "leaves the caller out."},
    {"collision_circle", F_CollisionCircle, 6, "xc, yc, radius, obj, prec, notme",
     "id: the first instance found, `noone` when none",
     "Looks for an instance obj names that touches the circle of radius pixels around (xc, yc); prec uses precise "
     "masks and notme leaves the caller out."},
    {"collision_line", F_CollisionLine, 7, "x1, y1, x2, y2, obj, prec, notme",
     "id: the first instance found, `noone` when none",
     "Looks for an instance obj names that the line from (x1, y1) to (x2, y2) crosses; prec uses precise masks and "
     "notme leaves the caller out."},
    {"instance_find", F_InstanceFind, 2, "obj, n", "id: the instance, `noone` when there is none",
     "The n-th live instance, counting from 0 in the room's order, of those obj names; an instance id is found only at "
     "n = 0."},
    {"instance_exists", F_InstanceExists, 1, "obj", "bool: 1 when obj names a live instance",
     "obj is an object, an instance id, `all`, `self` or `other`; instances already destroyed this step do not count, "
     "but an instance id still counts while its instance is deactivated."},
    {"instance_number", F_InstanceNumber, 1, "obj", "real: how many live instances obj names",
     "Counts an object's instances with its children's, or all of them for `all`; `self` and `other` count 1 when they "
     "are there."},
    {"instance_position", F_InstancePosition, 3, "x, y, obj", "id: an instance at the point, `noone` when none",
     "Looks for an instance obj names whose shape covers the point, using precise masks."},
    {"instance_nearest", F_InstanceNearest, 3, "x, y, obj", "id: the nearest instance, `noone` when none",
     "Measures to each instance's origin, not its box, and looks no further than 10000 pixels: an instance that far "
     "away or more is never found. The first of equals wins, and an instance id finds nothing."},
    {"instance_furthest", F_InstanceFurthest, 3, "x, y, obj", "id: the furthest instance, `noone` when none",
     "Measures to each instance's origin, not its box; the first of equals wins, and an instance id finds nothing."},
    {"instance_place", F_InstancePlace, 3, "x, y, obj", "id: an instance the caller would meet, `noone` when none",
     "Tries the caller's shape at (x, y) against the instances obj names and puts it back; the caller never meets "
     "itself."},
    {"instance_create", F_InstanceCreate, 3, "x, y, obj", "id: the new instance, -1 when none was made",
     "Adds an instance of the object at (x, y) and runs its Create event at once; a missing object or a string "
     "argument is a runtime error."},
    {"instance_copy", F_InstanceCopy, 1, "performevent", "id: the copy",
     "Adds a copy of the caller, every variable included, at its place under a new id; its Create event runs only when "
     "performevent is true."},
    {"instance_change", F_InstanceChange, 2, "obj, performevents", "nothing",
     "Turns the caller into an instance of obj: it keeps its variables and takes the object's sprite, depth and flags; "
     "with performevents its Destroy event runs before and the new Create event after."},
    {"instance_destroy", F_InstanceDestroy, 0, "", "nothing",
     "Runs the caller's Destroy event once and marks it for removal at the end of the step; it finishes the code it is "
     "running."},
    {"instance_sprite", F_InstanceSprite, 1, "sprite", "nothing",
     "Gives the caller another sprite; a missing sprite is a runtime error."},
    {"position_empty", F_PositionEmpty, 2, "x, y", "bool: 1 when no instance covers the point",
     "Tests the point against the precise shapes of every instance."},
    {"position_meeting", F_PositionMeeting, 3, "x, y, obj", "bool: 1 when an instance obj names covers the point",
     "Tests the point against the precise shapes; `self` and `other` name those instances here."},
    {"position_destroy", F_PositionDestroy, 2, "x, y", "nothing",
     "Destroys every instance whose shape covers the point, each running its Destroy event."},
    {"position_change", F_PositionChange, 4, "x, y, obj, performevents", "nothing",
     "Turns every instance whose shape covers the point into an instance of obj, as `instance_change` does; a missing "
     "object is a runtime error."},
    {"instance_deactivate_all", F_InstanceDeactivateAll, 1, "notme", "nothing",
     "Deactivates every instance of the room, the caller too unless notme is true. Until activated, deactivated "
     "instances are left out of events, drawing and every test or count that names an object or `all`; one named "
     "by its instance id is still found."},
    {"instance_deactivate_object", F_InstanceDeactivateObject, 1, "obj", "nothing",
     "Deactivates the instances obj names: an object with its children, an instance id, `all`, `self` or `other`."},
    {"instance_deactivate_region", F_InstanceDeactivateRegion, 6, "left, top, width, height, inside, notme", "nothing",
     "Deactivates the instances whose boxes touch the rectangle (edges included) when inside is true, or those wholly "
     "outside it when false; notme spares the caller. Instances without a shape are judged by their position."},
    {"instance_activate_all", F_InstanceActivateAll, 0, "", "nothing",
     "Brings every deactivated instance of the room back."},
    {"instance_activate_object", F_InstanceActivateObject, 1, "obj", "nothing",
     "Brings back the deactivated instances obj names: an object with its children, an instance id, `all`, `self` or "
     "`other`."},
    {"instance_activate_region", F_InstanceActivateRegion, 5, "left, top, width, height, inside", "nothing",
     "Brings back the deactivated instances whose boxes touch the rectangle when inside is true, or those wholly "
     "outside it when false."},
    {"room_goto", F_RoomGoto, 1, "room", "nothing",
     "Goes to the room once the current step is over; a room that does not exist is a fatal runtime error and the game "
     "quits."},
    {"room_goto_previous", F_RoomGotoPrevious, 0, "", "nothing",
     "Goes to the room before the current one in the room order once the step is over; from the first room it is a "
     "fatal runtime error."},
    {"room_goto_next", F_RoomGotoNext, 0, "", "nothing",
     "Goes to the room after the current one in the room order once the step is over; from the last room it is a fatal "
     "runtime error."},
    {"room_previous", F_RoomPrevious, 1, "room", "id: the room before it, -1 when none",
     "Looks the room up in the room order; -1 for the first room and for a room that does not exist."},
    {"room_next", F_RoomNext, 1, "room", "id: the room after it, -1 when none",
     "Looks the room up in the room order; -1 for the last room and for a room that does not exist."},
    {"room_restart", F_RoomRestart, 0, "", "nothing", "Starts the current room again once the current step is over."},
    {"game_end", F_GameEnd, 0, "", "nothing", "Ends the game once the current step is over."},
    {"game_restart", F_GameRestart, 0, "", "nothing",
     "Starts the game again from its first room once the current step is over; the globals, `score`, `lives`, "
     "`health` and the random generator (its seed and its place) go on as they were."},
    {"game_load", F_GameLoad, 1, "fname", "real: 1 when the file was found, 0 when not, -1 when fname is not a string",
     "Loads the saved game at the end of the frame; the file is looked for in the save folder, then beside the game. "
     "Loading writes on the console a line of `!` for the globals and one for each saved instance, of every room "
     "the save holds, then every global and instance variable loaded, one a line."},
    {"game_save", F_GameSave, 1, "fname", "real: always -1",
     "Writes the game at once to the file in the save folder; the answer does not say whether it was written."},
    {"transition_define", F_TransitionDefine, 2, "kind, name", "bool: 1 when the script exists",
     "Names the script of a room-transition kind; room changes here never play transitions, so it is only kept for the "
     "scripts that ask."},
    {"transition_exists", F_TransitionExists, 1, "kind", "bool: 1 for a built-in kind",
     "1 for the built-in kinds 1 to 21; any other kind, a defined one too, answers 0."},
    {"sleep", F_Sleep, 1, "ms", "nothing",
     "Waits ms milliseconds, at most 3 seconds, handling window messages meanwhile; the game stands still."},
};

// Lets transition_define look scripts up by name through the registry.
void MotionBuiltins_Prepare();

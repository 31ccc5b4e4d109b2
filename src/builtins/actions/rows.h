// The drag-and-drop actions, in registration order. The seven actions that
// do nothing share one handler; the actions that are exactly another
// family's built-in (paths, snapping, the CD, the screen save, the parent's
// event) list that built-in's handler.
#pragma once

#include "builtins/actions/handlers.h"
#include "builtins/builtin_row.h"
#include "builtins/graphics/handlers.h"
#include "builtins/misc/events.h"
#include "builtins/motion/handlers.h"
#include "builtins/sound/handlers.h"

inline constexpr BuiltinRow kActionRows[] = {
    {"action_draw_font", F_ActionNothing, 1, "font", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_draw_font_old", F_ActionNothing, 6, "arg0, arg1, arg2, arg3, arg4, arg5", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_fill_color", F_ActionNothing, 1, "col", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_highscore", F_ActionNothing, 0, "", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_line_color", F_ActionNothing, 1, "col", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_path_old", F_ActionNothing, 3, "arg0, arg1, arg2", "nothing",
     "Does nothing here: an action of older versions, kept so that games that use it still run."},
    {"action_save_game", F_ActionNothing, 1, "fname", "nothing",
     "Does nothing: this action writes no file here; `game_save` saves the game."},

    {"action_set_sprite", F_ActionSetSprite, 2, "sprite, scale", "nothing",
     "Gives self the sprite; a scale above 0 also sets both `image_xscale` and `image_yscale` to it. An unknown sprite "
     "is reported."},
    {"action_move", F_ActionMove, 2, "directions, speed", "nothing",
     "Starts self at speed pixels per step in a direction picked at random among the keys marked '1' of a 9-character "
     "key pad text laid out as a numeric key pad reads from 1 to 9 (1 down-left, 2 down, 5 stop, 9 up-right). Relative "
     "adds self's speed; a text of another length is reported and a text with no '1' changes nothing."},
    {"action_set_motion", F_ActionSetMotion, 2, "dir, speed", "nothing",
     "Sets self's direction (degrees counter-clockwise) and speed (pixels per step); relative adds this motion to the "
     "current one as a vector instead."},
    {"action_set_hspeed", F_ActionSetHSpeed, 1, "hspeed", "nothing",
     "Sets self's horizontal speed in pixels per step, positive to the right; relative adds it to the current one."},
    {"action_set_vspeed", F_ActionSetVSpeed, 1, "vspeed", "nothing",
     "Sets self's vertical speed in pixels per step, positive downward; relative adds it to the current one."},
    {"action_set_gravity", F_ActionSetGravity, 2, "dir, amount", "nothing",
     "Sets self's gravity: amount pixels per step added to its speed each step toward dir degrees; relative adds each "
     "to the current value."},
    {"action_set_friction", F_ActionSetFriction, 1, "friction", "nothing",
     "Sets self's friction, the speed in pixels per step it loses each step; relative adds it to the current one."},
    {"action_move_point", F_ActionMovePoint, 3, "x, y, speed", "nothing",
     "Starts self toward the point (x, y) at speed pixels per step; relative measures the point from self's position."},
    {"action_move_to", F_ActionMoveTo, 2, "x, y", "nothing",
     "Puts self at (x, y); relative moves it by x and y instead."},
    {"action_move_start", F_ActionMoveStart, 0, "", "nothing",
     "Puts self back where it was created (`xstart`, `ystart`)."},
    {"action_move_random", F_ActionMoveRandom, 2, "hsnap, vsnap", "nothing",
     "Moves self to a random place in the room where it touches no solid instance, on a grid of hsnap by vsnap pixels "
     "when they are above 0; it stays where it is when 99 tries find no such place."},
    {"action_snap", F_MoveSnap, 2, "hsnap, vsnap", "nothing",
     "Moves self to the nearest point of a grid of hsnap by vsnap pixels; a snap of 0 or less leaves that axis alone."},
    {"action_wrap", F_ActionWrap, 1, "direction", "nothing",
     "Brings self in at the opposite side once it has left the room moving outward: direction 0 wraps horizontally, 1 "
     "vertically, 2 both; the sprite's scaled size is the margin."},
    {"action_reverse_xdir", F_ActionReverseXDir, 0, "", "nothing", "Reverses self's horizontal speed."},
    {"action_reverse_ydir", F_ActionReverseYDir, 0, "", "nothing", "Reverses self's vertical speed."},
    {"action_move_contact", F_ActionMoveContact, 3, "dir, maxdist, against", "nothing",
     "Moves self one pixel at a time toward dir degrees until the next pixel would touch an instance, at most maxdist "
     "pixels (0 or less: 1000); against true tests every instance, false only solid ones. Nothing moves when self "
     "already touches one."},
    {"action_bounce", F_ActionBounce, 2, "precise, against", "nothing",
     "Bounces self off what it would hit in its next step; precise true tries directions 10 degrees apart instead of "
     "reversing along the axes, and against exactly 1 bounces off every instance, any other value only solid ones."},
    {"action_path", F_PathStart, 4, "path, speed, endaction, absolute", "nothing",
     "Starts self on the path at speed pixels per step (negative: from its end backward); endaction 0 stops, 1 "
     "restarts, 2 continues from the end, 3 reverses; absolute true puts self at the path's start, false follows it "
     "from where self stands."},
    {"action_path_end", F_PathEnd, 0, "", "nothing", "Takes self off its path where it stands."},
    {"action_path_position", F_ActionPathPosition, 1, "position", "nothing",
     "Sets how far along its path self is, 0 the start and 1 the end (held within them); relative adds to the current "
     "position."},
    {"action_path_speed", F_ActionPathSpeed, 1, "speed", "nothing",
     "Sets self's speed along its path in pixels per step; relative adds to the current speed."},
    {"action_linear_step", F_ActionLinearStep, 4, "x, y, stepsize, checkall", "nothing",
     "Moves self one step of stepsize pixels straight toward (x, y), unless that place is blocked; checkall true "
     "counts every instance as an obstacle, false only solid ones. Relative measures the point from self's position."},
    {"action_potential_step", F_ActionPotentialStep, 4, "x, y, stepsize, checkall", "nothing",
     "Moves self one step of stepsize pixels toward (x, y), turning aside around obstacles; checkall true counts every "
     "instance, false only solid ones. Relative measures the point from self's position."},

    {"action_create_object", F_ActionCreateObject, 3, "obj, x, y", "nothing",
     "Creates an instance of obj at (x, y) and runs its Create event; relative measures the point from self's "
     "position. An unknown object is reported."},
    {"action_create_object_motion", F_ActionCreateObjectMotion, 5, "obj, x, y, speed, dir", "nothing",
     "As `action_create_object`, and the new instance starts with the speed (pixels per step) and direction (degrees) "
     "before its Create event runs."},
    {"action_create_object_random", F_ActionCreateObjectRandom, 6, "obj1, obj2, obj3, obj4, x, y", "nothing",
     "Creates an instance of one of the four objects, picked at random among those that exist, at (x, y); relative "
     "measures the point from self's position. Does nothing when none of them exists."},
    {"action_change_object", F_ActionChangeObject, 2, "obj, perf", "nothing",
     "Turns self into an instance of obj; perf true runs self's Destroy event before and the new object's Create event "
     "after. An unknown object is reported."},
    {"action_kill_object", F_ActionKillObject, 0, "", "nothing",
     "Destroys self: runs its Destroy event once; from then on self no longer counts as existing, and its code goes on "
     "to its end."},
    {"action_kill_position", F_ActionKillPosition, 2, "x, y", "nothing",
     "Destroys every instance whose shape covers the point (x, y), each after its Destroy event; relative measures the "
     "point from self's position."},
    {"action_sprite_set", F_ActionSpriteSet, 3, "sprite, subimage, speed", "nothing",
     "Gives self the sprite, shows frame subimage (from 0; a negative one keeps the current frame) and sets the "
     "animation speed in frames per step. An unknown sprite is reported."},
    {"action_sprite_transform", F_ActionSpriteTransform, 4, "xscale, yscale, angle, mirror", "nothing",
     "Sets self's drawing scales and angle (degrees counter-clockwise); mirror 1 then flips it horizontally, 2 "
     "vertically, 3 both."},
    {"action_sprite_color", F_ActionSpriteColor, 2, "col, alpha", "nothing",
     "Sets the colour self's sprite is blended with and its alpha (0 transparent to 1 opaque)."},

    {"action_sound", F_ActionSound, 2, "sound, loop", "nothing",
     "Plays the sound, looping when loop is true. With the audio system a music sound goes to the music player; in the "
     "older sound mode an unknown sound is reported."},
    {"action_end_sound", F_ActionEndSound, 1, "sound", "nothing",
     "Stops every play of the sound (the music, for a music sound); in the older sound mode an unknown sound is "
     "reported."},
    {"action_if_sound", F_ActionIfSound, 1, "sound", "bool: 1 when the sound is playing",
     "Asks whether the sound is playing now; an unknown sound answers 0."},

    {"action_previous_room", F_ActionPreviousRoom, 1, "transition", "nothing",
     "Goes to the room before the current one in the room order at the end of the step; the transition is accepted but "
     "not shown. Asking from the first room is a fatal error."},
    {"action_next_room", F_ActionNextRoom, 1, "transition", "nothing",
     "Goes to the room after the current one in the room order at the end of the step; the transition is not shown. "
     "Asking from the last room is a fatal error."},
    {"action_current_room", F_ActionCurrentRoom, 1, "transition", "nothing",
     "Starts the current room again at the end of the step; the transition is not shown."},
    {"action_another_room", F_ActionAnotherRoom, 2, "room, transition", "nothing",
     "Goes to the room at the end of the step; the transition is not shown. A room that does not exist is a fatal "
     "error."},
    {"action_if_previous_room", F_ActionIfPreviousRoom, 0, "", "bool: 1 when a room comes before the current one",
     "Asks whether the current room is not the first of the room order; 0 outside any room."},
    {"action_if_next_room", F_ActionIfNextRoom, 0, "", "bool: 1 when a room comes after the current one",
     "Asks whether the current room is not the last of the room order; 0 outside any room."},
    {"action_end_game", F_ActionEndGame, 0, "", "nothing", "Ends the game at the end of the step."},
    {"action_restart_game", F_ActionRestartGame, 0, "", "nothing",
     "Starts the game again from its first room at the end of the step."},
    {"action_load_game", F_ActionLoadGame, 1, "fname", "nothing",
     "Loads the saved game fname at the end of the step; unlike `game_load`, the name is not looked for or checked "
     "now."},

    {"action_set_alarm", F_ActionSetAlarm, 2, "steps, alarm", "nothing",
     "Sets self's alarm number alarm (0 to 11) to go off in steps steps (rounded); relative adds to an alarm that is "
     "running and sets one that is off. Other alarm numbers do nothing."},
    {"action_sleep", F_ActionSleep, 2, "ms, redraw", "nothing",
     "Stops the whole game for ms milliseconds, after drawing and showing the room when redraw is true; under the "
     "virtual clock the wait only moves the clock on."},
    {"action_set_timeline", F_ActionSetTimeline, 2, "timeline, position", "nothing",
     "Gives self the time line, at position steps (rounded), and starts it running."},
    {"action_set_timeline_position", F_ActionSetTimelinePosition, 1, "position", "nothing",
     "Sets self's time-line position in steps, rounded; relative adds to the current position."},
    {"action_set_timeline_speed", F_ActionSetTimelineSpeed, 1, "speed", "nothing",
     "Sets how many time-line steps self's time line moves each game step; relative adds to the current speed."},
    {"action_timeline_set", F_ActionTimelineSet, 4, "timeline, position, start, loop", "nothing",
     "Gives self the time line at position steps (rounded); start 0 runs it at once and any other value leaves it "
     "stopped, and loop exactly 1 makes it repeat."},
    {"action_timeline_start", F_ActionTimelineStart, 0, "", "nothing", "Runs self's time line from where it stands."},
    {"action_timeline_pause", F_ActionTimelinePause, 0, "", "nothing", "Stops self's time line where it stands."},
    {"action_timeline_stop", F_ActionTimelineStop, 0, "", "nothing",
     "Stops self's time line and puts it back to position 0."},

    {"action_message", F_ActionMessage, 1, "message", "real: always 1",
     "Shows the message in a box with an OK button (headless: prints it), `#` shown as it is, then forgets all keys "
     "and buttons held; a number shows in exponent form such as 3.000000e+00."},
    {"action_show_info", F_ActionShowInfo, 0, "", "nothing",
     "Shows no game information here; only forgets all keys and buttons held."},
    {"action_show_video", F_ActionShowVideo, 3, "fname, windowed, loop", "nothing",
     "Shows no video on this system and goes on as if it had played; windowed above 0 is only remembered."},
    {"action_webpage", F_ActionWebpage, 1, "url", "nothing",
     "Opens the web page or file with the desktop's handler (`xdg-open`); reports when that cannot be started."},

    {"action_replace_sprite", F_ActionReplaceSprite, 3, "sprite, fname, images", "nothing",
     "Replaces the sprite with the image file cut into images frames, keeping its origin and flags; the file is looked "
     "for in the save folder, then the game's folder. A missing sprite or file is reported."},
    {"action_replace_sound", F_ActionReplaceSound, 2, "sound, fname", "nothing",
     "Replaces the sound with the sound file, keeping its kind and preload setting; a missing sound or file is "
     "reported, and while the audio system is selected the game's own sounds count as missing."},
    {"action_replace_background", F_ActionReplaceBackground, 2, "back, fname", "nothing",
     "Replaces the background with the image file, keeping its transparent, smooth and preload settings; a missing "
     "background or file is reported."},

    {"action_if_empty", F_ActionIfEmpty, 3, "x, y, objects", "bool: 1 when the place is free",
     "Asks whether the place is free for self: objects 0 counts only solid instances, any other value every instance; "
     "relative measures the point from self's position."},
    {"action_if_collision", F_ActionIfCollision, 3, "x, y, objects", "bool: 1 when the place is taken",
     "The opposite of `action_if_empty`: objects 0 counts only solid instances, any other value every instance; "
     "relative measures the point from self's position."},
    {"action_if", F_ActionIf, 1, "value", "any: the value itself",
     "Answers its argument unchanged, for the action that tests it."},
    {"action_if_number", F_ActionIfNumber, 3, "obj, number, operation", "bool: 1 when the count compares as asked",
     "Counts the instances of obj (its children included) and compares the count with number: operation 1 below, 2 "
     "above, any other value equal."},
    {"action_if_object", F_ActionIfObject, 3, "obj, x, y", "bool: 1 when self at (x, y) would touch an instance of obj",
     "Tests a place for an instance of obj, or the instance `self` or `other` names; relative measures the point from "
     "self's position."},
    {"action_if_question", F_ActionIfQuestion, 1, "question", "bool: 1 when the answer is Yes",
     "Asks a yes-or-no question, '#' breaking its lines (headless: printed, and answered from the scripted answers), "
     "then forgets all keys and buttons held."},
    {"action_if_dice", F_ActionIfDice, 1, "sides", "bool: 1 with a chance of one in sides",
     "Throws a die of sides sides (fractions work); sides of 1 or less always answer 1."},
    {"action_if_mouse", F_ActionIfMouse, 1, "button", "bool: 1 when the button is held or was released",
     "Asks about the mouse this step: button 1 left, 2 right, 3 middle is held or released; any other number asks "
     "whether no button is held."},
    {"action_if_aligned", F_PlaceSnapped, 2, "hsnap, vsnap", "bool: 1 when self stands on the grid",
     "Asks whether self's position is a multiple of hsnap and vsnap pixels (within a thousandth); a snap of 0 or less "
     "passes that axis."},

    {"action_execute_script", F_ActionExecuteScript, 6, "script, arg0, arg1, arg2, arg3, arg4",
     "any: the script's answer",
     "Runs the script for self and other with the five values as `argument0` to `argument4`; an error inside it is "
     "shown without stopping the game."},
    {"action_if_variable", F_ActionIfVariable, 3, "value1, value2, operation",
     "bool: 1 when the values compare as asked",
     "Compares two values of one kind: operation 1 below, 2 above, 3 at most, 4 at least, any other value equal; texts "
     "compare byte by byte. Values of different kinds are reported and answer 0."},
    {"action_draw_variable", F_ActionDrawVariable, 3, "value, x, y", "nothing",
     "Draws a value at (x, y) in the current font, colour and alignment: a text as it is, a whole number as an "
     "integer, any other with two decimals right-aligned in 10 characters; relative measures the point from self's "
     "position."},
    {"action_set_score", F_ActionSetScore, 1, "value", "nothing", "Sets the score, rounded; relative adds to it."},
    {"action_if_score", F_ActionIfScore, 2, "value, operation", "bool: 1 when the score compares as asked",
     "Compares the score with value: operation 1 below, 2 above, any other value equal."},
    {"action_draw_score", F_ActionDrawScore, 3, "x, y, caption", "nothing",
     "Draws the caption followed by the score at (x, y) in the current font and colour; relative measures the point "
     "from self's position."},
    {"action_highscore_show", F_ActionHighscoreShow, 11,
     "arg0, arg1, arg2, arg3, arg4, arg5, arg6, arg7, arg8, arg9, arg10", "nothing",
     "Draws the highscore table in a 200 by 200 pixel box in the middle of the room, in the current font and colour; "
     "all eleven arguments are ignored."},
    {"action_highscore_clear", F_ActionHighscoreClear, 0, "", "nothing", "Empties the highscore table."},
    {"action_set_life", F_ActionSetLife, 1, "value", "nothing",
     "Sets the lives, rounded; relative adds to them. Falling from 1 or more to below 1 raises every instance's "
     "no-more-lives event."},
    {"action_if_life", F_ActionIfLife, 2, "value, operation", "bool: 1 when the lives compare as asked",
     "Compares the lives with value: operation 1 below, 2 above, any other value equal."},
    {"action_draw_life", F_ActionDrawLife, 3, "x, y, caption", "nothing",
     "Draws the caption followed by the lives at (x, y) in the current font and colour; relative measures the point "
     "from self's position."},
    {"action_draw_life_images", F_ActionDrawLifeImages, 3, "x, y, sprite", "nothing",
     "Draws frame 0 of the sprite once per life, side by side from (x, y); relative measures the point from self's "
     "position. An unknown sprite draws nothing."},
    {"action_set_health", F_ActionSetHealth, 1, "value", "nothing",
     "Sets the health, 0 to 100 on the bar; relative adds to it. Falling from above 0 to 0 or below raises every "
     "instance's no-more-health event."},
    {"action_if_health", F_ActionIfHealth, 2, "value, operation", "bool: 1 when the health compares as asked",
     "Compares the health with value: operation 1 below, 2 above, any other value equal."},
    {"action_draw_health", F_ActionDrawHealth, 6, "x1, y1, x2, y2, backcol, barcol", "nothing",
     "Draws the health as a bar in the rectangle: backcol 0 draws no background and 1 to 16 pick black, gray, silver, "
     "white, maroon, green, olive, navy, purple, teal, red, lime, yellow, blue, fuchsia, aqua; barcol 0 goes from red "
     "to green, 1 from black to white, 2 to 17 is one of those colours. Relative moves the rectangle by self's "
     "position."},
    {"action_set_caption", F_ActionSetCaption, 6,
     "showscore, scorecaption, showlives, livescaption, showhealth, healthcaption", "nothing",
     "Chooses what the window caption shows: the score, lives and health each show, after their caption text, only "
     "when their flag is exactly 1; a caption that is no text is cleared."},

    {"action_partsyst_create", F_ActionPartsystCreate, 1, "depth", "nothing",
     "Makes the actions' own particle system when there is none, empties it and sets its depth (rounded); its 16 type "
     "and 16 emitter slots are forgotten, without destroying what they held."},
    {"action_partsyst_destroy", F_ActionPartsystDestroy, 0, "", "nothing",
     "Destroys the actions' own particle system, when there is one."},
    {"action_partsyst_clear", F_ActionPartsystClear, 0, "", "nothing",
     "Removes every particle of the actions' own particle system, keeping its types and emitters."},
    {"action_parttype_create_old", F_ActionParttypeCreateOld, 6, "type, shape, sizemin, sizemax, col1, col2", "nothing",
     "An older form: sets the shape, the size range and a colour going from col1 to col2 of particle type slot type, "
     "making the system and the slot's type when missing; slot numbers run 0 to 15 and others do nothing."},
    {"action_parttype_create", F_ActionParttypeCreate, 6, "type, shape, sprite, sizemin, sizemax, sizeincr", "nothing",
     "Sets the shape, the animated sprite (used instead when it exists), the size range and the size change per step "
     "of particle type slot type, making the system and the slot's type when missing; slot numbers run 0 to 15 and "
     "others do nothing."},
    {"action_parttype_color", F_ActionParttypeColor, 6, "type, colortype, col1, col2, alpha1, alpha2", "nothing",
     "Colours particle type slot type: colortype 0 gives each particle a fixed mix of col1 and col2 picked at random, "
     "any other value goes from col1 to col2 over its life; alpha goes from alpha1 to alpha2 (0 to 1)."},
    {"action_parttype_life", F_ActionParttypeLife, 3, "type, lifemin, lifemax", "nothing",
     "Sets how many steps the particles of type slot type live, picked between lifemin and lifemax (rounded)."},
    {"action_parttype_speed", F_ActionParttypeSpeed, 6, "type, speedmin, speedmax, dirmin, dirmax, friction", "nothing",
     "Sets the start speed (pixels per step) and direction (degrees) ranges of type slot type; friction is taken off "
     "the speed each step."},
    {"action_parttype_gravity", F_ActionParttypeGravity, 3, "type, amount, direction", "nothing",
     "Gives the particles of type slot type a gravity of amount pixels per step, added each step toward direction "
     "degrees."},
    {"action_parttype_secondary", F_ActionParttypeSecondary, 5, "type, steptype, stepcount, deathtype, deathcount",
     "nothing",
     "Makes each particle of type slot type create stepcount particles of slot steptype every step and deathcount of "
     "slot deathtype when it dies (a negative count: one, with a chance of one in minus the count); slot numbers run 0 "
     "to 15 and others do nothing."},
    {"action_partemit_create", F_ActionPartemitCreate, 6, "emitter, shape, xmin, xmax, ymin, ymax", "nothing",
     "Makes emitter slot emitter (0 to 15) when it is empty and sets its region: shape 0 rectangle, 1 ellipse, 2 "
     "diamond, 3 line, particles spread evenly over it."},
    {"action_partemit_destroy", F_ActionPartemitDestroy, 1, "emitter", "nothing",
     "Destroys the emitter of slot emitter; the slot keeps its old number, so `action_partemit_create` does not make "
     "it again until `action_partsyst_create`."},
    {"action_partemit_burst", F_ActionPartemitBurst, 3, "emitter, type, number", "nothing",
     "Emits number particles of type slot type at once over the region of emitter slot emitter (a negative number: "
     "one, with a chance of one in minus the number). An emitter slot never created is reported."},
    {"action_partemit_stream", F_ActionPartemitStream, 3, "emitter, type, number", "nothing",
     "Makes emitter slot emitter emit number particles of type slot type every step (0 stops it; a negative number: "
     "one, with a chance of one in minus the number). An emitter slot never created is reported."},

    {"action_cd_play", F_CdPlay, 2, "first, last", "nothing",
     "Plays the audio CD from track first to track last; this system has no CD device, so nothing happens."},
    {"action_cd_stop", F_CdStop, 0, "", "nothing",
     "Stops the audio CD; this system has no CD device, so nothing happens."},
    {"action_cd_pause", F_CdPause, 0, "", "nothing",
     "Pauses the audio CD; this system has no CD device, so nothing happens."},
    {"action_cd_resume", F_CdResume, 0, "", "nothing",
     "Resumes the paused audio CD; this system has no CD device, so nothing happens."},
    {"action_cd_present", F_CdPresent, 0, "", "bool: 1 when a disc is in the drive",
     "Asks whether an audio CD is present; this system has no CD device, so it answers 0."},
    {"action_cd_playing", F_CdPlaying, 0, "", "bool: 1 when the CD is playing",
     "Asks whether the audio CD is playing; this system has no CD device, so it answers 0."},

    {"action_set_cursor", F_ActionSetCursor, 2, "sprite, show", "nothing",
     "Sets the sprite drawn as the mouse cursor (-1 for none) and whether the system's own cursor shows."},
    {"action_draw_sprite", F_ActionDrawSprite, 4, "sprite, x, y, subimage", "nothing",
     "Draws frame subimage (rounded down; negative: self's current frame) of the sprite at (x, y) unscaled and "
     "unrotated; relative measures the point from self's position. An unknown sprite is reported."},
    {"action_draw_background", F_ActionDrawBackground, 4, "back, x, y, tiled", "nothing",
     "Draws the background at (x, y) unscaled, repeated over the whole room when tiled is true; relative measures the "
     "point from self's position. An unknown background is reported."},
    {"action_draw_text", F_ActionDrawText, 3, "text, x, y", "nothing",
     "Draws the text at (x, y) in the current font, colour and alignment; a number shows as an integer when whole, "
     "else with two decimals; relative measures the point from self's position."},
    {"action_draw_text_transformed", F_ActionDrawTextTransformed, 6, "text, x, y, xscale, yscale, angle", "nothing",
     "As `action_draw_text`, scaled by xscale and yscale and turned angle degrees counter-clockwise."},
    {"action_draw_rectangle", F_ActionDrawRectangle, 5, "x1, y1, x2, y2, outline", "nothing",
     "Draws a rectangle in the drawing colour, only its outline when outline is true; relative moves both corners by "
     "self's position."},
    {"action_draw_ellipse", F_ActionDrawEllipse, 5, "x1, y1, x2, y2, outline", "nothing",
     "Draws the ellipse inside the rectangle in the drawing colour, only its outline when outline is true; relative "
     "moves both corners by self's position."},
    {"action_draw_gradient_hor", F_ActionDrawGradientHor, 6, "x1, y1, x2, y2, col1, col2", "nothing",
     "Fills the rectangle shading from col1 at the left to col2 at the right; relative moves both corners by self's "
     "position."},
    {"action_draw_gradient_vert", F_ActionDrawGradientVert, 6, "x1, y1, x2, y2, col1, col2", "nothing",
     "Fills the rectangle shading from col1 at the top to col2 at the bottom; relative moves both corners by self's "
     "position."},
    {"action_draw_ellipse_gradient", F_ActionDrawEllipseGradient, 6, "x1, y1, x2, y2, col1, col2", "nothing",
     "Fills the ellipse inside the rectangle shading from col1 at its centre to col2 at its edge; relative moves both "
     "corners by self's position."},
    {"action_draw_line", F_ActionDrawLine, 4, "x1, y1, x2, y2", "nothing",
     "Draws a line in the drawing colour; relative moves both ends by self's position."},
    {"action_draw_arrow", F_ActionDrawArrow, 5, "x1, y1, x2, y2, tipsize", "nothing",
     "Draws a line from (x1, y1) to (x2, y2) with an arrow head of tipsize pixels at the second end; relative moves "
     "both ends by self's position."},
    {"action_color", F_ActionColor, 1, "col", "nothing", "Sets the drawing colour."},
    {"action_font", F_ActionFont, 2, "font, halign", "nothing",
     "Sets the font and the horizontal alignment (0 left, 1 centre, 2 right) for drawing text."},
    {"action_fullscreen", F_ActionFullscreen, 1, "mode", "nothing",
     "Mode 1 shows the game in a window, 2 full screen, any other value switches between the two."},
    {"action_snapshot", F_ScreenSave, 1, "fname", "nothing",
     "Saves the screen as a BMP image under the save folder, whatever the name's extension; an empty name is "
     "reported."},
    {"action_effect", F_ActionEffect, 6, "kind, x, y, size, col, where", "nothing",
     "Makes a ready-made effect (kinds as `effect_create_below`) of size 0 small, 2 large, other medium, in colour col "
     "at (x, y); where below 0.5 puts it below the instances, else above; relative measures the point from self's "
     "position."},
    {"action_set_relative", F_ActionSetRelative, 1, "relative", "nothing",
     "Sets the relative flag (true at 0.5 or more): while it is set, the actions after it add self's current position, "
     "speed or value to their arguments."},
    {"action_inherited", F_EventInherited, 0, "", "nothing",
     "Runs the parent object's version of the event now running, for self and other; nothing when the object has no "
     "parent or in a time-line moment."},
};

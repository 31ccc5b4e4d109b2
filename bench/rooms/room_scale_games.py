#!/usr/bin/env python3
"""room_scale_games.py FOLDER: writes the game descriptions room_scale.sh
times. Each game prints its figure as "KEY MICROSECONDS" and ends itself."""
import json
import os
import sys

SPRITE = {"frames": [{"fill": "#FF8000", "size": [4, 4]}]}
# Frames 20 to 120 of the movers are timed, past the start-up.
FRAME_TIMER = ("n += 1; if (n == 20) t0 = get_timer(); "
               "if (n == 120) { show_debug_message(\"frame_us \" + string((get_timer() - t0) / 100)); game_end(); }")


def movers(count, with_depth):
    step = "y += 1; if (y > 480) y = 0; " + ("depth = -y;" if with_depth else "")
    make = ("n = 0; t0 = 0; for (i = 0; i < %d; i += 1) "
            "instance_create((i mod 160) * 4, (i div 160) * 4 mod 480, mover);" % count)
    return {
        "sprites": {"dot": SPRITE},
        "objects": {
            "mover": {"sprite": "dot", "events": {"step": step}},
            "timer": {"events": {"create": make, "step": FRAME_TIMER}},
        },
        "rooms": [{"speed": 9999, "instances": [{"object": "timer"}]}],
    }


def creation(alive):
    # Five rounds of 1,000 new instances, each round destroyed again; the
    # fastest round counts.
    step = ("if (n < 5) { var t; t = get_timer(); repeat (1000) instance_create(0, 0, fresh); "
            "t = get_timer() - t; if (n == 0 || t < best) best = t; with (fresh) instance_destroy(); n += 1; } "
            "else { show_debug_message(\"create_us \" + string(best)); game_end(); }")
    return {
        "objects": {
            "alive": {},
            "fresh": {},
            "maker": {"events": {"create": "n = 0; best = 0; repeat (%d) instance_create(0, 0, alive);" % alive,
                                 "step": step}},
        },
        "rooms": [{"speed": 9999, "instances": [{"object": "maker"}]}],
    }


def rooms(count):
    # The watcher starts the big room and times its start. There it saves
    # and loads the game; the load happens at the end of the step, and the
    # time it began goes through a file, since the load puts every variable
    # back as it was saved.
    entries = [{"object": "crowd", "x": (i % 160) * 4, "y": (i // 160) * 4 % 480} for i in range(count)]
    start = "phase = 0; t0 = get_timer(); room_goto(big);"
    entered = ("if (room == big) { show_debug_message(\"start_us \" + string(get_timer() - t0)); "
               "game_save(\"scale.sav\"); phase = 1; var f; f = file_text_open_write(\"scale.time\"); "
               "file_text_write_real(f, get_timer()); file_text_close(f); "
               "if (!game_load(\"scale.sav\")) show_debug_message(\"load failed\"); }")
    loaded = ("if (room == big && phase == 0) { var f, t; f = file_text_open_read(\"scale.time\"); "
              "t = file_text_read_real(f); file_text_close(f); "
              "show_debug_message(\"load_us \" + string(get_timer() - t)); game_end(); }")
    return {
        "objects": {
            "crowd": {},
            "watcher": {"persistent": True, "events": {"create": start, "other:4": entered, "step": loaded}},
        },
        "rooms": [
            {"speed": 9999, "instances": [{"object": "watcher"}]},
            {"name": "big", "speed": 9999, "instances": entries},
        ],
    }


def activation(count):
    # Every crowd instance is deactivated by its own call, then each is
    # activated again by its id, one call each; the time covers both.
    entries = [{"object": "crowd", "x": (i % 160) * 4, "y": (i // 160) * 4 % 480} for i in range(count)]
    step = ("n += 1; if (n == 2) { var t, k; k = 0; with (crowd) { other.ids[k] = id; k += 1; } t = get_timer(); "
            "with (crowd) instance_deactivate_object(id); "
            "for (k = 0; k < %d; k += 1) instance_activate_object(ids[k]); "
            "show_debug_message(\"activation_us \" + string(get_timer() - t)); game_end(); }" % count)
    return {
        "objects": {"crowd": {}, "switcher": {"events": {"create": "n = 0;", "step": step}}},
        "rooms": [{"speed": 9999, "instances": [{"object": "switcher"}] + entries}],
    }


def carrying(count):
    # A room change that carries every crowd instance (all persistent) into
    # a room already holding instances of the same depth.
    entries = [{"object": "crowd", "x": (i % 160) * 4, "y": (i // 160) * 4 % 480} for i in range(count)]
    start = "n = 0; t0 = 0;"
    step = "n += 1; if (n == 2) { t0 = get_timer(); room_goto(next); }"
    entered = ("if (room == next) { show_debug_message(\"carry_us \" + string(get_timer() - t0)); game_end(); }")
    return {
        "objects": {
            "crowd": {"persistent": True},
            "still": {},
            "guide": {"persistent": True, "events": {"create": start, "step": step, "other:4": entered}},
        },
        "rooms": [
            {"speed": 9999, "instances": [{"object": "guide"}] + entries},
            {"name": "next", "speed": 9999, "instances": [{"object": "still"}] * 100},
        ],
    }


def main():
    folder = sys.argv[1]
    games = {"create_1000": creation(1000), "create_30000": creation(30000),
             "rooms_2500": rooms(2500), "rooms_20000": rooms(20000)}
    for n in (2500, 20000):
        games["activation_%d" % n] = activation(n)
        games["carry_%d" % n] = carrying(n)
    for n in (1000, 8000):
        games["depth_%d" % n] = movers(n, True)
        games["still_%d" % n] = movers(n, False)
    for name, game in games.items():
        game["name"] = name
        with open(os.path.join(folder, name + ".json"), "w") as out:
            json.dump(game, out)


if __name__ == "__main__":
    main()

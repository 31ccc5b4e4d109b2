#!/usr/bin/env python3
"""file_cost_games.py FOLDER COUNT: writes the game descriptions file_cost.sh
runs, each doing one file operation COUNT times. Each game prints
"<name>_us MICROSECONDS": with a COUNT of 2,000, the time of one operation
in the fastest of 20 batches of 100; else 0. It then ends itself."""
import json
import os
import sys

# Each operation, as script code; i counts from 0.
OPERATIONS = {
    # A missing last name, a new one each time.
    "miss": 'file_exists("x" + string(i) + ".txt")',
    # A name under a missing folder.
    "nofolder": 'file_exists("nofolder/x" + string(i) + ".txt")',
    # A file read through a folder named in another letter case.
    "casefolder": 'var f; f = file_text_open_read("Saves/f1.txt"); file_text_close(f)',
    # A missing last name three folders deep (the folders are there).
    "deep": 'file_exists("a/b/c/x.txt")',
    # Rewrites of a small file.
    "text": 'var f; f = file_text_open_write("t.txt"); file_text_write_string(f, "hello"); file_text_close(f)',
    "binary": 'var f; f = file_bin_open("b.bin", 1); file_bin_write_byte(f, 7); file_bin_close(f)',
    "ini": 'ini_open("s.ini"); ini_write_real("a", "b", i); ini_close()',
}


def game(name, count):
    # COUNT operations in a row; 2,000 are timed in 20 batches of 100, and
    # the fastest batch counts, so that a busy machine's pauses fall out.
    if count == 2000:
        code = ("var i, j, t, best; best = -1; for (j = 0; j < 20; j += 1) { t = get_timer(); "
                "for (i = j * 100; i < j * 100 + 100; i += 1) { %s; } t = get_timer() - t; "
                "if (best < 0 || t < best) best = t; } "
                "show_debug_message(\"%s_us \" + string(best / 100)); game_end();" % (OPERATIONS[name], name))
    else:
        code = ("var i; for (i = 0; i < %d; i += 1) { %s; } show_debug_message(\"%s_us 0\"); game_end();"
                % (count, OPERATIONS[name], name))
    return {"name": "cost_" + name + "_data", "objects": {"runner": {"events": {"create": code}}},
            "rooms": [{"instances": [{"object": "runner"}]}]}


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    for name in OPERATIONS:
        with open(os.path.join(folder, "%s_%d.json" % (name, count)), "w") as out:
            json.dump(game(name, count), out)


main()

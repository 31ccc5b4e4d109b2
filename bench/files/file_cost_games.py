#!/usr/bin/env python3
"""file_cost_games.py FOLDER COUNT: writes the game descriptions file_cost.sh
runs, each doing one file operation COUNT times. Each game prints
"<name>_us MICROSECONDS" for the whole loop and ends itself."""
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
    code = ("var i, t; t = get_timer(); for (i = 0; i < %d; i += 1) { %s; } "
            "show_debug_message(\"%s_us \" + string(get_timer() - t)); game_end();" % (count, OPERATIONS[name], name))
    return {"name": "cost_" + name + "_data", "objects": {"runner": {"events": {"create": code}}},
            "rooms": [{"instances": [{"object": "runner"}]}]}


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    for name in OPERATIONS:
        with open(os.path.join(folder, "%s_%d.json" % (name, count)), "w") as out:
            json.dump(game(name, count), out)


main()

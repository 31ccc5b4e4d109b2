#!/usr/bin/env python3
"""files_table.py MKGAME PLAYER FORM [GROUP...]

Runs the file built-ins' table (rows.txt beside this script) in one code
form: "source", "bytecode" or "oldexec" (the source form on the tree
interpreter). Each game of the table becomes one game description whose
rows run in order, each after a marker line, so that every row's console
lines (the script's and the player's own) are compared exactly; then the
exit status, the lines of the end and the folder tree left behind (the
data folder, every save folder in it, and a folder outside them) are
compared with the table.

CTest also runs it in the source form with KORVALITH_NO_UNNAMED_FILES=1
and with KORVALITH_NO_OPENAT2=1 in the environment: the player's switches
that take the ways of a file system without unnamed files and of a kernel
without openat2 (tests/CMakeLists.txt). Games asking for another user or a
file system of their own need root; elsewhere they are skipped, saying so.

Failures whose ids match a line of pending.txt are reported, but do not
fail the run; a pending row that passes is reported too, so that the line
can go. See rows.txt for the format.
"""
import fnmatch
import json
import os
import resource
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FORMS = ("source", "bytecode", "oldexec")
ENDS = ("game_end", "frames", "show_error", "machine_error", "failed_start", "sigterm")
RUN_SECONDS = 30


OPTIONS = ("end", "forms", "status", "data", "console", "fsize", "seconds", "like", "env", "user", "disk")


class Game:
    def __init__(self, name, options):
        unknown = set(options) - set(OPTIONS)
        if unknown:
            raise SystemExit(f"rows.txt: game {name}: unknown options {sorted(unknown)}")
        self.name = name
        self.end = options.get("end", "game_end")
        self.forms = options.get("forms", ",".join(FORMS)).split(",")
        self.status = int(options.get("status", "0"))
        self.deep = options.get("data") == "deep"
        self.console_closed = options.get("console") == "closed"
        self.file_size_limit = int(options["fsize"]) if "fsize" in options else None
        self.seconds = int(options.get("seconds", RUN_SECONDS))
        self.like = options.get("like")
        # env=NAME=VALUE: one more variable for the player (a switch).
        self.env = dict([options["env"].split("=", 1)]) if "env" in options else {}
        # user=NAME: the player and the setup run as that user (root only).
        self.user = options.get("user")
        # disk=SIZE: the save folder is a memory file system of that size (root only).
        self.disk = options.get("disk")
        self.extra = {}  # keys merged into the game description
        self.setup = []  # shell commands run in the save folder before the start
        self.phases = [[]]  # rows, split by the waits between them
        self.waits = []  # the shell command run at each wait
        self.end_lines = []  # lines that must follow the end marker, in order
        self.tree = []  # (kind, path, value)
        if self.disk and self.deep:
            raise SystemExit(f"rows.txt: game {name}: a disk of its own needs the usual data folder")
        if self.end not in ENDS:
            raise SystemExit(f"rows.txt: game {name}: unknown end {self.end}")


class Row:
    def __init__(self, name):
        self.name = name
        self.code = []
        self.lines = []


def copy_row(row, game_name):
    copy = Row(game_name + row.name[row.name.index("."):])
    copy.code, copy.lines = list(row.code), list(row.lines)
    return copy


def unescape(text):
    return re.sub(r"\\(x[0-9a-fA-F]{2}|.)", lambda m: {"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}.get(
        m.group(1), chr(int(m.group(1)[1:], 16)) if m.group(1)[0] == "x" else m.group(1)), text)


def parse(path):
    games, game, row, block = [], None, None, None
    for number, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        where = f"{os.path.basename(path)}:{number}"
        if not line.strip() or line.startswith("#"):
            continue
        word, _, rest = line.partition(" ")
        if word == "game":
            fields = rest.split()
            game = Game(fields[0], dict(f.split("=", 1) for f in fields[1:]))
            if game.like:
                # The setup, rows, description and tree of an earlier game.
                model = next(g for g in games if g.name == game.like)
                game.setup, game.waits, game.tree = list(model.setup), list(model.waits), list(model.tree)
                game.extra = dict(model.extra)
                game.phases = [[copy_row(r, game.name) for r in rows] for rows in model.phases]
            games.append(game)
            row, block = None, None
        elif game is None:
            raise SystemExit(f"{where}: a line before the first game")
        elif word == "describe":
            game.extra.update(json.loads(rest))
        elif word == "setup":
            game.setup.append(rest)
        elif word == "row":
            row, block = Row(f"{game.name}.{rest.strip()}"), "row"
            game.phases[-1].append(row)
        elif word == "wait":
            game.waits.append(rest)
            game.phases.append([])
            row, block = None, None
        elif word == "end":
            row, block = None, "end"
        elif word == "tree":
            row, block = None, "tree"
        elif line.startswith("  ") and block == "row":
            row.code.append(line[2:])
        elif line.startswith("  ") and block == "tree":
            entry = line[2:]
            if entry.endswith("/"):
                game.tree.append(("folder", entry.rstrip("/"), None))
            elif " = " in entry or entry.endswith(" ="):
                path, _, text = entry.partition(" =")
                game.tree.append(("text", path.strip(), unescape(text[1:])))
            elif " -> " in entry:
                path, _, target = entry.partition(" -> ")
                game.tree.append(("link", path.strip(), target.strip()))
            elif re.search(r" size \d+$", entry):
                path, _, size = entry.rpartition(" size ")
                game.tree.append(("size", path.strip(), int(size)))
            elif entry.endswith(" fifo"):
                game.tree.append(("fifo", entry[:-5].strip(), None))
            elif entry.endswith(" ~"):
                game.tree.append(("any", entry[:-2].strip(), None))
            else:
                raise SystemExit(f"{where}: a tree entry is \"PATH/\", \"PATH = TEXT\", \"PATH size N\", "
                                 "\"PATH -> TARGET\" or \"PATH ~\"")
        elif line.startswith("> ") or line == ">":
            if block == "row":
                row.lines.append(line[2:])
            elif block == "end":
                game.end_lines.append(line[2:])
            else:
                raise SystemExit(f"{where}: an expected line outside a row or an end")
        else:
            raise SystemExit(f"{where}: not understood: {line}")
    return games


def script_text(text):
    return '"' + text.replace('"', '" + chr(34) + "') + '"'


class Places:
    """The folders of one run and the words standing for them."""

    def __init__(self, work, game):
        self.prog = os.path.join(work, "prog")
        self.out = os.path.join(work, "out")
        # The player's TMPDIR: its temporary folder is made in there.
        self.tmp = os.path.join(work, "tmp")
        data = os.path.join(work, "data")
        if game.deep:
            # A data folder whose path passes 2,048 bytes.
            data = os.path.join(data, *[("d%02d" % i) + "x" * 196 for i in range(11)])
        self.data = data
        self.save = os.path.join(data, "Table " + game.name)
        for folder in (self.prog, self.out, self.save, self.tmp):
            os.makedirs(folder)

    def words(self):
        return [("@SAVE@", self.save), ("@DATA@", self.data), ("@OUT@", self.out), ("@PROG@", self.prog),
                ("@TMP@", self.tmp)]

    def put(self, text):
        for word, value in self.words():
            text = text.replace(word, value)
        # @L255x@: a name of 255 bytes, the letter x repeated, then ".txt".
        return re.sub(r"@L(255|256)([a-z])@", lambda m: m.group(2) * (int(m.group(1)) - 4) + ".txt", text)

    def take(self, text):
        for word, value in self.words():
            text = text.replace(value, word)
        # The temporary folder's number is drawn at each start.
        text = re.sub(r"/qz_ttt_[0-9]+", "/qz_ttt_N", text)
        return re.sub(r"([a-z])\1{250}(\1?)\.txt", lambda m: f"@L{255 + len(m.group(2))}{m.group(1)}@", text)


def describe(game, places):
    def rows_code(rows):
        code = []
        for row in rows:
            code.append(f"show_debug_message({script_text('== row ' + row.name)});")
            code += [places.put(line) for line in row.code]
        return code

    ending = {
        "game_end": ["game_end();"],
        "frames": [],
        "show_error": ['show_error("the table ends here", true);'],
        "machine_error": ["var a, b;", "a = 1;", 'b = "x";', "show_debug_message(string(a + b));"],
        "failed_start": [],
        "sigterm": [],
    }[game.end]
    phases = []
    for index, rows in enumerate(game.phases):
        code = rows_code(rows)
        if index + 1 < len(game.phases):
            code += [f"global.phase = {index + 1};", f'show_debug_message("== wait {index + 1}");']
        else:
            code += ["global.phase = -1;", 'show_debug_message("== end");'] + ending
        phases.append(code)
    scripts = {"say": "show_debug_message(string(argument0));"}
    description = {"name": "Table " + game.name, "scripts": scripts}
    description.update(game.extra)
    if game.end == "failed_start":
        # The rows run while the constants are prepared (before the scripts
        # are: their code must not call one), and the room's code then fails
        # to compile: the start fails after them.
        code = " ".join(phases[0])
        if "'" in code:
            raise SystemExit(f"rows.txt: game {game.name}: code run at a failed start holds no '")
        description["constants"] = {"ROWS": "execute_string('" + code + "')"}
        description["rooms"] = [{"code": 'x = "text" - 1;'}]
        return description
    step = []
    for index, code in enumerate(phases[1:], 1):
        step.append(f'if (global.phase == {index} && file_exists("go_{index}")) {{')
        step += ["  " + line for line in code]
        step.append("  exit;")
        step.append("}")
    events = {"create": "\n".join(["global.phase = 0;"] + phases[0])}
    if step:
        events["step"] = "\n".join(step)
    description["objects"] = {"rows": {"events": events}}
    description["rooms"] = [{"instances": [{"object": "rows"}]}]
    return description


def cannot_run(game):
    """Why this machine cannot run the game as it asks, or None."""
    if (game.user or game.disk) and os.geteuid() != 0:
        return "needs root, to run as another user or mount a file system"
    if game.user:
        try:
            import pwd
            pwd.getpwnam(game.user)
        except KeyError:
            return f"no user {game.user}"
    return None


def as_user(game, then=None):
    """A preexec function that becomes the game's user (when it names one)."""
    def become():
        if game.user:
            import pwd
            entry = pwd.getpwnam(game.user)
            os.setgroups([])
            os.setgid(entry.pw_gid)
            os.setuid(entry.pw_uid)
        if then is not None:
            then()
    return become


def hand_over(game, work):
    """Gives the run's folders to the game's user, modes kept."""
    if not game.user:
        return
    import pwd
    entry = pwd.getpwnam(game.user)
    for folder, folders, files in os.walk(work):
        for name in [folder] + [os.path.join(folder, n) for n in folders + files]:
            os.lchown(name, entry.pw_uid, entry.pw_gid)


def run_game(game, form, mkgame, player, work):
    """Runs one game; returns (status, console lines, tree, places) or an error text."""
    places = Places(work, game)
    if game.disk:
        done = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={game.disk}", "kvtable", places.save],
                              capture_output=True, text=True)
        if done.returncode != 0:
            return f"skip: cannot mount a file system of {game.disk}: {done.stderr.strip()}"
    for command in game.setup:
        done = subprocess.run(places.put(command), shell=True, cwd=places.save, capture_output=True, text=True,
                              env=dict(os.environ, SAVE=places.save, OUT=places.out, PROG=places.prog,
                                       DATA=places.data))
        if done.returncode != 0:
            return f"setup failed: {command}: {done.stderr.strip()}"
    description = os.path.join(work, game.name + ".json")
    with open(description, "w", encoding="utf-8") as f:
        json.dump(describe(game, places), f, indent=1)
    win = os.path.join(places.prog, game.name + ".win")
    build = [mkgame, description, "-o", win] + (["--bytecode"] if form == "bytecode" else [])
    done = subprocess.run(build, capture_output=True, text=True)
    if done.returncode != 0:
        return "mkgame failed: " + done.stdout + done.stderr
    env = {k: v for k, v in os.environ.items() if k != "KORVALITH_ANSWERS"}
    waits = bool(game.waits) or game.end == "sigterm"
    env.update(game.env)
    env.update(KORVALITH_HEADLESS="1", KORVALITH_CLOCK="virtual",
               KORVALITH_MAX_FRAMES="1000000" if waits else "30", XDG_DATA_HOME=places.data, TMPDIR=places.tmp,
               LIBGL_ALWAYS_SOFTWARE="1", GALLIUM_DRIVER="llvmpipe", ALSOFT_DRIVERS="null")
    command = [player, "-game", win] + (["-oldexec"] if form == "oldexec" else [])
    out_path = os.path.join(work, "out.txt")

    def limit():
        if game.file_size_limit is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (game.file_size_limit, game.file_size_limit))

    with open(out_path, "wb") as out, open(os.path.join(work, "err.txt"), "wb") as err:
        if game.console_closed:
            # A console nobody reads: the reading end is closed before the start.
            reader, writer = os.pipe()
            os.close(reader)
            out = writer
        hand_over(game, work)
        process = subprocess.Popen(command, cwd=places.prog, env=env, stdout=out, stderr=err,
                                   stdin=subprocess.DEVNULL, preexec_fn=as_user(game, limit))
        if game.console_closed:
            os.close(writer)
    deadline = time.monotonic() + game.seconds
    waited, signalled, timed_out = 0, False, False
    while process.poll() is None:
        if time.monotonic() > deadline:
            process.kill()
            process.wait()
            timed_out = True
            break
        lines = read_lines(out_path, places)
        if waited < len(game.waits) and f"== wait {waited + 1}" in lines:
            subprocess.run(places.put(game.waits[waited]), shell=True, cwd=places.data,
                           env=dict(os.environ, SAVE=places.save, OUT=places.out, PROG=places.prog,
                                    DATA=places.data))
            waited += 1
            open(os.path.join(places.prog, f"go_{waited}"), "w").close()
        if game.end == "sigterm" and not signalled and "== end" in lines:
            process.send_signal(signal.SIGTERM)
            signalled = True
        time.sleep(0.02)
    for index in range(1, waited + 1):
        os.remove(os.path.join(places.prog, f"go_{index}"))
    status = f"still running after {game.seconds} s" if timed_out else process.returncode
    return status, read_lines(out_path, places), tree_of(places), places


def read_lines(path, places):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8", "replace")
    return [places.take(line) for line in text.split("\n")[:-1]]


def shown(path, places):
    for word, root in (("~", places.save), ("@DATA@", places.data), ("@OUT@", places.out)):
        if path == root or path.startswith(root + "/"):
            return word + path[len(root):]
    return path


def tree_of(places):
    """Every entry under the data folder and the outside folder: path -> (kind, value)."""
    found = {}
    for root in (places.data, places.out):
        for folder, folders, files in os.walk(root):
            for name in folders + files:
                path = os.path.join(folder, name)
                key = places.take(shown(path, places))
                if os.path.islink(path):
                    found[key] = ("link", os.readlink(path))
                elif os.path.isdir(path):
                    if path != places.save:
                        found[key] = ("folder", None)
                elif stat.S_ISFIFO(os.lstat(path).st_mode):
                    found[key] = ("fifo", None)
                else:
                    with open(path, "rb") as f:
                        found[key] = ("file", f.read())
    # The folders above the save folder of a deep data folder are not the table's.
    return {k: v for k, v in found.items()
            if not (k.startswith("@DATA@/") and places.save.startswith(places.data + k[len("@DATA@"):] + "/"))}


def check_tree(game, found, places, fail):
    seen = set()
    for kind, path, value in game.tree:
        seen.add(path)
        ident = f"{game.name}.tree:{path}"
        entry = found.get(path)
        if entry is None:
            fail(ident, "missing")
        elif kind in ("folder", "fifo") and entry[0] != kind:
            fail(ident, f"not a {kind} ({entry[0]})")
        elif kind == "link" and entry != ("link", places.put(value)):
            fail(ident, f"expected a link to {value}, found {entry[0]} {entry[1]!r}")
        elif kind in ("text", "size", "any") and entry[0] != "file":
            fail(ident, f"not a file ({entry[0]})")
        elif kind == "text" and entry[1] != places.put(value).encode("latin-1"):
            fail(ident, f"holds {entry[1][:200]!r}, expected {places.put(value)[:200]!r}")
        elif kind == "size" and len(entry[1]) != value:
            fail(ident, f"holds {len(entry[1])} bytes, expected {value}")
    for path, (kind, value) in sorted(found.items()):
        if path not in seen:
            what = {"folder": "a folder", "fifo": "a fifo", "link": f"a link to {value}"}.get(kind)
            fail(f"{game.name}.tree:{path}", "not expected: " + (what or f"a file of {len(value)} bytes: "
                                                                 f"{value[:80]!r}"))


def check_game(game, result, fail):
    if isinstance(result, str) and result.startswith("skip: "):
        print(f"skipped game {game.name}: {result[6:]}")
        return
    if isinstance(result, str):
        fail(f"{game.name}.run", result)
        return
    status, lines, found, places = result
    sections, current = {}, None
    for line in lines:
        if line.startswith("== row ") or line.startswith("== wait ") or line == "== end":
            current = line[7:] if line.startswith("== row ") else line
            sections[current] = []
        elif current is not None:
            sections[current].append(line)
    for rows in game.phases:
        for row in rows if not game.console_closed else []:
            expected = [places.take(places.put(line)) for line in row.lines]
            if row.name not in sections:
                fail(row.name, "never ran")
            elif sections[row.name] != expected:
                fail(row.name, "printed " + repr(sections[row.name]) + ", expected " + repr(expected))
    if isinstance(status, int) and status < 0:
        status = 128 - status  # a death by a signal, as a shell shows it
    if status != game.status:
        fail(f"{game.name}.status", f"exit {status}, expected {game.status}; last lines {lines[-4:]!r}")
    rest = iter(sections.get("== end", []))
    for line in game.end_lines:
        if not any(line == seen for seen in rest):
            fail(f"{game.name}.end", f"no line {line!r} after the end (in order); found "
                                     f"{sections.get('== end', [])!r}")
            break
    check_tree(game, found, places, fail)


def main():
    if len(sys.argv) < 4 or sys.argv[3] not in FORMS:
        raise SystemExit(__doc__)
    mkgame, player, form, only = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    games = parse(os.path.join(HERE, "rows.txt"))
    pending = [p.split()[0] for p in open(os.path.join(HERE, "pending.txt"), encoding="utf-8")
               if p.strip() and not p.startswith("#")]
    failures, known, matched = [], [], set()

    def fail(ident, why):
        hits = [p for p in pending if fnmatch.fnmatchcase(ident, p)]
        if hits:
            matched.update(hits)
            known.append(f"{ident}: {why}")
        else:
            failures.append(f"{ident}: {why}")

    rows, ran = 0, set()
    for game in games:
        if only and game.name not in only:
            continue
        if form not in game.forms:
            continue
        rows += sum(len(r) for r in game.phases)
        ran.add(game.name)
        why = cannot_run(game)
        if why is not None:
            print(f"skipped game {game.name}: {why}")
            continue
        work = tempfile.mkdtemp(prefix=f"kv_files_{game.name}_")
        try:
            check_game(game, run_game(game, form, mkgame, player, work), fail)
        finally:
            if game.disk:
                subprocess.run(["umount", "-l", os.path.join(work, "data", "Table " + game.name)],
                               capture_output=True)
            shutil.rmtree(work, ignore_errors=True)
    for line in known:
        print("pending:", line)
    for pattern in pending:
        if pattern not in matched and pattern.split(".")[0] in ran:
            print(f"pending row now passes in form {form} (take it out of pending.txt): {pattern}")
    for line in failures:
        print("FAILED:", line)
    print(f"{form}: {rows} rows, {len(failures)} failures, {len(known)} pending")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

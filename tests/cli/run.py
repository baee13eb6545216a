#!/usr/bin/env python3
"""obrinex end to end: bad input gets one line and status 2 with nothing written, the game
folder is found in a fake home's Wine prefixes and used when --game is left out, and the
texts and JSON of inspect and log.

Usage: tests/cli/run.py [PATH-TO-obrinex]   (default: build/bin/obrinex)
"""
import json, os, subprocess, sys, tempfile

cli = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin/obrinex")
failures, passed = [], 0


def check(name, condition, detail=""):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(f"{name}: {detail}")


def run(args, home, cwd, env=None):
    environ = {k: v for k, v in os.environ.items() if k != "WINEPREFIX"}
    environ.update({"HOME": home, "LC_ALL": "C.UTF-8"}, **(env or {}))
    p = subprocess.run([cli, *args], capture_output=True, cwd=cwd, env=environ, timeout=30)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def snapshot(root):
    out = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                out[os.path.relpath(path, root)] = f.read()
    return out


def prefix(path, record):
    """A 32-bit Wine prefix whose game recorded RECORD, with C: mapped to drive_c."""
    data = ",".join(f"{b:02x}" for b in record.encode("cp1252") + b"\0")
    write(os.path.join(path, "system.reg"),
          b"WINE REGISTRY Version 2\n#arch=win32\n\n[Software\\\\Kelvarion\\\\Zarvo] 1\n\"idir\"=hex:" +
          data.encode() + b"\n")
    os.makedirs(os.path.join(path, "drive_c"), exist_ok=True)
    os.makedirs(os.path.join(path, "dosdevices"), exist_ok=True)
    os.symlink("../drive_c", os.path.join(path, "dosdevices", "c:"))


with tempfile.TemporaryDirectory() as root:
    home, cwd, empty_home = (os.path.join(root, n) for n in ("home", "cwd", "empty"))
    pkg, game = os.path.join(root, "pkg"), os.path.join(root, "game")
    for folder in (home, cwd, empty_home, os.path.join(game, "models")):
        os.makedirs(folder)
    write(os.path.join(pkg, "setup.ini"), b"Racer, Ann, ann@example.com\r\ncar.4ds\r\n\r\na.map\r\nb.map\r\n")
    write(os.path.join(pkg, "models", "car.4ds"), b"MODEL")
    write(os.path.join(pkg, "maps", "a.map"), b"MAP")
    prefix(os.path.join(home, ".wine"), "C:\\Games\\Zarvo\\")
    wine_game = os.path.join(home, ".wine", "drive_c", "Games", "Zarvo")
    os.makedirs(wine_game)
    # A bottle whose record names a folder that is not there.
    prefix(os.path.join(home, ".local/share/bottles/bottles/Other"), "C:\\Zarvo\\")
    before = {p: snapshot(p) for p in (cwd, pkg, game, home)}

    # Bad input: status 2, one line on standard error, nothing on standard output.
    for args, home_for in (
            (["frobnicate"], home), ([], home), (["cars", "--lang", "latin"], home), (["cars", "extra"], home),
            (["cars", "--json", "--frobnicate"], home), (["inspect"], home), (["inspect", pkg, pkg], home),
            (["inspect", os.path.join(root, "\u043f\u0430\u043a\u0435\u0442")], home), (["log", "--game"], home),
            (["log", "--game", "", "--json"], home), (["log", "--json"], empty_home), (["games", "x"], home)):
        rc, out, err = run(args, home_for, cwd)
        check(f"status 2 for {args}", rc == 2 and out == "" and len(err.strip().splitlines()) == 1,
              f"exit {rc}, stdout {out[:60]!r}, stderr {err!r}")

    for command in ("cars", "inspect", "games", "log"):
        rc, out, _ = run([command, "--help"], home, cwd)
        check(f"{command} --help shows an example", rc == 0 and "Example:" in out, f"exit {rc}: {out[-200:]!r}")

    # The game found in the prefixes, and used when --game is left out.
    rc, out, err = run(["games", "--json"], home, cwd)
    games = json.loads(out)["games"] if rc == 0 else None
    check("games lists both prefixes by path", games == [
        {"folder": os.path.join(home, ".local/share/bottles/bottles/Other/drive_c/Zarvo/"), "record": "C:\\Zarvo\\",
         "prefix": os.path.join(home, ".local/share/bottles/bottles/Other"), "exists": False},
        {"folder": wine_game + "/", "record": "C:\\Games\\Zarvo\\", "prefix": os.path.join(home, ".wine"),
         "exists": True}], f"exit {rc}: {out!r} {err!r}")
    write(os.path.join(wine_game, "carchanger", "cars", "carlist.sav"), b"not a car list")
    rc, out, err = run(["log", "--json"], home, cwd)
    check("log without --game reads the one existing game folder", rc == 1 and json.loads(out) == {"rows": []} and
          "carlist.sav" in err, f"exit {rc}: {out!r} {err!r}")
    os.remove(os.path.join(wine_game, "carchanger", "cars", "carlist.sav"))
    os.makedirs(os.path.join(home, ".local/share/bottles/bottles/Other/drive_c/Zarvo"))
    rc, out, err = run(["log"], home, cwd)
    check("two existing game folders: status 2 naming both", rc == 2 and wine_game in err and "Other" in err,
          f"exit {rc}: {err!r}")
    os.rmdir(os.path.join(home, ".local/share/bottles/bottles/Other/drive_c/Zarvo"))

    # inspect names the file the package lacks, in text and in JSON.
    rc, out, _ = run(["inspect", pkg], home, cwd)
    check("inspect text names the missing map", rc == 1 and "maps\\b.map" in out and "Racer, by Ann" in out,
          f"exit {rc}: {out!r}")
    rc, out, _ = run(["inspect", "--json", pkg], home, cwd)
    report = json.loads(out) if out else {}
    check("inspect JSON", rc == 1 and report.get("installable") is False and report.get("maps") == ["a.map", "b.map"]
          and report.get("problems") == ["The package lacks maps\\b.map, named in line 5 of setup.ini."],
          f"exit {rc}: {out!r}")
    rc, out, _ = run(["inspect", pkg + "/", "--json"], home, cwd)
    check("a folder with its closing separator", rc == 1 and json.loads(out)["car"] == "Racer", f"exit {rc}")

    # The log of a game folder given relative to the working folder.
    rc, out, _ = run(["log", "--game", os.path.relpath(game, cwd)], home, cwd)
    check("an empty log", rc == 0 and out == "The replacement log is empty.\n", f"exit {rc}: {out!r}")

    for path, content in before.items():
        now = snapshot(path)
        if path == home:
            now = {k: v for k, v in now.items() if "carlist.sav" not in k}
        check(f"nothing written in {os.path.basename(path)}", now == content,
              f"{sorted(set(now) ^ set(content))}")

for failure in failures:
    print("FAIL", failure)
print(f"cli: {passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""obrinex install, restore and verify against real folders: cars put back in any order from
the ledger, the wizard and the command line writing the same bytes, bad choices refused with
nothing written, and crash safety: an installation cut off by a full disk at every point,
then restore --all, gives every original file back.

Usage: tests/cli/ledger.py [PATH-TO-obrinex] [PATH-TO-obrinex-script]
"""
import json, os, shutil, subprocess, sys, tempfile

cli = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin/obrinex")
driver = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build/bin/obrinex-script")
repository = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
failures, passed = [], 0


def check(name, condition, detail=""):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(f"{name}: {detail}")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def snapshot(root, everything=False):
    """The files below root with their bytes; without `everything`, the log's and the ledger's
    folder is left out, as restore leaves it."""
    out = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, root)
            if everything or not relative.startswith("carchanger"):
                with open(path, "rb") as f:
                    out[relative] = f.read()
    return out


def obrinex(*args):
    p = subprocess.run([cli, *args], capture_output=True, timeout=60, env={**os.environ, "HOME": root})
    out = p.stdout.decode("utf-8", "replace")
    data = json.loads(out) if "--json" in args and out.startswith("{") else None
    return p.returncode, data, out, p.stderr.decode("utf-8", "replace")


def install(pkg, *args):
    rc, data, out, err = obrinex("install", pkg, "--game", game, "--json", *args)
    check(f"install {os.path.basename(pkg)} {args}", rc == 0 and data and data["done"], f"exit {rc}: {out} {err}")
    return data


def restore(*args):
    return obrinex("restore", "--game", game, "--json", *args)


def package(name, maps, sounds=False):
    pkg = os.path.join(root, name)
    write(os.path.join(pkg, "setup.ini"),
          ("%s, Ann, a\r\ncar.4ds\r\nextra.4ds\r\n" % name + "".join(m + "\r\n" for m in maps)).encode())
    write(os.path.join(pkg, "models", "car.4ds"), f"model of {name}".encode())
    write(os.path.join(pkg, "models", "extra.4ds"), f"extra of {name}".encode())
    for m in maps:
        write(os.path.join(pkg, "maps", m), f"{m} of {name}".encode())
    if sounds:
        write(os.path.join(pkg, "sounds", "horn.wav"), f"horn of {name}".encode())
        write(os.path.join(pkg, "sounds", "0.wav"), f"idle of {name}".encode())
    return pkg


def fresh_game():
    shutil.rmtree(game, ignore_errors=True)
    for name in ("models/fordtco03.4ds", "models/fordtco04.4ds", "models/fordtco14.4ds", "models/fordTrun.4ds",
                 "sounds/fordT_0.wav", "sounds/horn11.wav", "maps/stock.bmp", "install_backup/old.4ds"):
        write(os.path.join(game, name), f"stock {name}".encode())
    return snapshot(game)


with tempfile.TemporaryDirectory() as root:
    game = os.path.join(root, "game")
    one = package("One", ["shared.bmp", "one.bmp"], sounds=True)
    two = package("Two", ["shared.bmp", "two.bmp"], sounds=True)
    three = package("Three", ["stock.bmp"])
    stock = fresh_game()

    # Two packages over the same car, then restore: the stock files, not the first package's.
    install(one, "--car", "5", "--sounds")
    install(two, "--car", "5", "--sounds")
    rc, data, out, _ = restore("--car", "5")
    check("two packages over one car restored", rc == 0 and data["done"] and snapshot(game) == stock,
          f"exit {rc}: {out}")
    check("the log row goes too", data and data["log"] == [{"row": 5, "action": "removed"}], f"{data}")
    rc, data, _, _ = restore("--car", "5")
    check("a row the ledger no longer holds: status 2", rc == 2, f"exit {rc}")

    # Several rows in one installation, restored one at a time: what row 5 shares with row 4
    # (the third model, the sounds, the maps) stays while row 5 still uses it.
    install(one, "--car", "4", "--car", "5", "--sounds")
    after_install = snapshot(game)
    restore("--car", "4")
    now = snapshot(game)
    check("row 4 out: its own model is stock again",
          now["models/fordtco03.4ds"] == stock["models/fordtco03.4ds"], "")
    check("row 4 out: what row 5 shares stays", all(now[p] == after_install[p] for p in (
        "models/fordTrun.4ds", "maps/shared.bmp", "sounds/horn11.wav", "models/fordtco04.4ds")), "")
    rc, data, _, _ = restore("--car", "5")
    check("both rows out: the stock folder", rc == 0 and snapshot(game) == stock, f"exit {rc}")

    # Two packages sharing a map name, restored in both orders.
    for order in (("4", "5"), ("5", "4")):
        stock = fresh_game()
        install(one, "--car", "4")
        install(two, "--car", "5")
        restore("--car", order[0])
        left = "Two" if order[0] == "4" else "One"
        check(f"shared map after restoring row {order[0]} first",
              snapshot(game).get("maps/shared.bmp") == f"shared.bmp of {left}".encode(), "")
        restore("--car", order[1])
        check(f"both packages out in the order {order}", snapshot(game) == stock, f"{sorted(snapshot(game))}")

    # A stock map overwritten, then restored.
    stock = fresh_game()
    install(three, "--car", "5")
    check("the stock map was overwritten", snapshot(game)["maps/stock.bmp"] == b"stock.bmp of Three", "")
    restore("--all")
    check("the stock map restored", snapshot(game) == stock, "")

    # An installation made by the wizard, restored by the command line; the player's own
    # backups are never touched.
    stock = fresh_game()
    script = "\n".join([f"exe {one}/Setup.exe", "start", "click Button2", "click Button5", f"type Edit1 {game}/",
                        "select ComboBox1 5", "click RadioButton4", "click Button8", "click CheckBox1",
                        "click Button18", "get page"]) + "\n"
    p = subprocess.run([driver], input=script.encode(), capture_output=True, timeout=60)
    check("the wizard installs", b'"Fertig"' in p.stdout, p.stdout.decode())
    backups = {k: v for k, v in snapshot(game).items() if k.startswith("install_backup")}
    rc, data, out, _ = restore("--car", "5")
    now = snapshot(game)
    check("the wizard's installation restored", rc == 0 and {k: v for k, v in now.items()
                                                            if not k.startswith("install_backup")} ==
          {k: v for k, v in stock.items() if not k.startswith("install_backup")}, f"exit {rc}: {out}")
    check("install_backup left as it was", {k: v for k, v in now.items() if k.startswith("install_backup")} == backups
          and len(backups) > 1, f"{sorted(backups)}")

    # A file changed by hand is refused, then put back with --force; a dry run writes nothing.
    stock = fresh_game()
    install(one, "--car", "5")
    write(os.path.join(game, "models", "fordtco04.4ds"), b"changed by hand")
    rc, data, _, _ = obrinex("verify", "--game", game, "--json")
    check("verify names the changed file", rc == 1 and data == {"changed": ["models/fordtco04.4ds"], "missing": []},
          f"exit {rc}: {data}")
    before = snapshot(game, everything=True)
    rc, data, _, _ = restore("--car", "5", "--dry-run")
    check("a dry run writes nothing", snapshot(game, everything=True) == before and data["done"] is False and
          data["plan"], f"{data}")
    rc, data, _, err = restore("--car", "5")
    check("the changed file is refused", rc == 1 and [r["path"] for r in data["refused"]] == ["models/fordtco04.4ds"]
          and snapshot(game)["models/fordtco04.4ds"] == b"changed by hand" and "left alone" in err, f"exit {rc}")
    rc, data, _, _ = restore("--car", "5", "--force")
    check("--force puts it back", rc == 0 and snapshot(game) == stock, f"exit {rc}: {data}")

    # Bad choices: status 2, one line, nothing written.
    stock = fresh_game()
    before = snapshot(game, everything=True)
    for args in (["--car", "0"], ["--car", "0", "--car", "31"], ["--car", "5", "--colour", "red.bmp"],
                 ["--car", "5", "--variant", "fast.4ds"], ["--car", "5", "--vehicles"],
                 ["--car", "4", "--car", "5", "--backup-models"], ["--car", "-1"], []):
        rc, _, out, err = obrinex("install", three, "--game", game, *args)
        check(f"install {args}: status 2", rc == 2 and out == "" and len(err.strip().splitlines()) == 1,
              f"exit {rc}: {out!r} {err!r}")
    rc, _, _, _ = obrinex("install", one, "--game", os.path.join(root, "nowhere"), "--car", "5")
    check("a missing game folder without --create-folder: status 1", rc == 1 and not os.path.exists(
        os.path.join(root, "nowhere")), f"exit {rc}")
    check("bad choices wrote nothing", snapshot(game, everything=True) == before, "")

    # One installation, two front ends: for a table of choices, the wizard (through the script
    # driver) and obrinex install write the same bytes into two copies of the demo game folder,
    # log and ledger included; and the dry run lists exactly the steps the real run carries out.
    demo = os.path.join(root, "demo")
    shutil.copytree(os.path.join(repository, "examples", "package"), demo)
    cases = [
        ("one car", ["select ComboBox1 5"], [], ["--car", "5"]),
        ("several, a header among them", ["click BitBtn1", "toggle ListBox2 4", "toggle ListBox2 5",
                                          "toggle ListBox2 31", "click Button21"], [],
         ["--car", "4", "--car", "5", "--car", "31"]),
        ("a colour", ["select ComboBox1 5", "select ComboBox2 1"], [], ["--car", "5", "--colour",
                                                                       "roadster_body_red.bmp"]),
        ("a car variant", ["select ComboBox1 5"], ["select ComboBox7 1"], ["--car", "5", "--variant",
                                                                           "roadster_lowered.4ds"]),
        ("sounds with their backup", ["select ComboBox1 5", "click Button8", "click CheckBox1", "click CheckBox2"],
         [], ["--car", "5", "--sounds", "--backup-sounds"]),
        ("the vehicle table with its backup", ["select ComboBox1 5", "click Button8", "click CheckBox3",
                                               "click CheckBox4"], [], ["--car", "5", "--vehicles",
                                                                       "--backup-vehicles"]),
        ("the model backup", ["select ComboBox1 1", "click RadioButton4"], [], ["--car", "1", "--backup-models"]),
        ("another language", ["select ComboBox1 5"], [], ["--car", "5", "--lang", "english"]),
    ]
    for name, choices, introduction, args in cases:
        folders = []
        for front in ("wizard", "command line"):
            shutil.rmtree(game, ignore_errors=True)
            shutil.copytree(os.path.join(repository, "examples", "game"), game)
            if front == "wizard":
                language = ["click RadioButton2"] if "english" in args else []
                script = [f"exe {demo}/Setup.exe", "start", *language, "click Button2", *introduction,
                          "click Button5", f"type Edit1 {game}/", *choices]
                if "click Button8" not in choices:
                    script.append("click Button8")
                script += ["click Button18", "get page"]
                p = subprocess.run([driver], input=("\n".join(script) + "\n").encode(), capture_output=True,
                                   timeout=60)
                check(f"{name}: the wizard's run", b'"Fertig"' in p.stdout and b"refused" not in p.stdout,
                      p.stdout.decode())
            else:
                before = snapshot(game, everything=True)
                rc, planned, out, err = obrinex("install", demo, "--game", game, "--json", "--dry-run", *args)
                check(f"{name}: the dry run writes nothing", rc == 0 and snapshot(game, everything=True) == before,
                      f"exit {rc}: {err}")
                data = install(demo, *args)
                check(f"{name}: the dry run lists the steps the run carries out",
                      planned and data and planned["plan"] == data["plan"], f"{planned} {data}"[:300])
            folders.append(snapshot(game, everything=True))
        check(f"{name}: the wizard and the command line write the same bytes", folders[0] == folders[1],
              f"{sorted(set(folders[0].items()) ^ set(folders[1].items()))}"[:400])

    # Crash safety: the wizard's installation with the disk full after N bytes, for N across
    # the whole run; each is followed by restore --all, which gives every original back.
    stock = fresh_game()
    sweep = "\n".join([f"exe {one}/Setup.exe", "start", "click Button2", "click Button5", f"type Edit1 {game}/",
                       "select ComboBox1 5", "fault disk-full {N}", "click Button8", "click CheckBox1",
                       "click CheckBox2", "click Button18", "get page"]) + "\n"
    tried, bad = 0, []
    for n in range(0, 4000, 37):
        fresh_game()
        subprocess.run([driver], input=sweep.replace("{N}", str(n)).encode(), capture_output=True, timeout=60)
        rc, _, out, err = restore("--all")
        now = snapshot(game)
        leftovers = [k for k in snapshot(game, everything=True) if "~obx" in k or k.endswith("incoming")]
        originals = {k: v for k, v in now.items() if not k.startswith("install_backup")} == \
            {k: v for k, v in stock.items() if not k.startswith("install_backup")}
        tried += 1
        if rc != 0 or not originals or leftovers:
            bad.append((n, rc, leftovers, err.strip()[:100]))
    check(f"a full disk at {tried} points of the run, then restore --all: the originals", not bad, f"{bad[:3]}")

for failure in failures:
    print("FAIL", failure)
print(f"ledger: {passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""Installs a package of about 200 MB into a copy of a game folder with obrinex-script, and the
same files with cp followed by sync (the same durability), alternating, several runs each.
Prints each run, the median of the ratio program/cp and the program's peak resident memory.

Usage: bench/install/run.py DRIVER [RUNS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

driver = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
MB = 1 << 20

# Row 5's game names (the drop-down's car chosen below) and its sounds.
ROW = 5
MODELS = ["fordtco04.4ds", "fordtco14.4ds"]
EXTRA = "fordTrun.4ds"
SOUNDS = {"on.wav": "fordT_on.wav", "off.wav": "fordT_off.wav", "0.wav": "fordT_0.wav",
          "1.wav": "fordT_1.wav", "horn.wav": "horn11.wav"}


def write(path, size, seed):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    block = bytes((seed + i) % 251 for i in range(65536))
    with open(path, "wb") as f:
        left = size
        while left > 0:
            f.write(block[:min(left, len(block))])
            left -= len(block)


def make_package(root):
    pkg = os.path.join(root, "pkg")
    maps = [f"map{i:03}.bmp" for i in range(100)]
    os.makedirs(pkg)
    with open(os.path.join(pkg, "setup.ini"), "w", newline="\r\n") as f:
        f.write("Bench, Ann, a\ncar.4ds\nextra.4ds\n" + "\n".join(maps) + "\n")
    write(os.path.join(pkg, "models", "car.4ds"), 20 * MB, 1)
    write(os.path.join(pkg, "models", "extra.4ds"), 2 * MB, 2)
    for i, name in enumerate(maps):
        write(os.path.join(pkg, "maps", name), 1800 * 1024, 10 + i)
    for i, name in enumerate(SOUNDS):
        write(os.path.join(pkg, "sounds", name), 300 * 1024, 200 + i)
    write(os.path.join(pkg, "tables", "vehicles.bin"), 64 * 1024, 250)
    return pkg, maps


def make_game(root):
    game = os.path.join(root, "game-original")
    for name in MODELS + [EXTRA]:
        write(os.path.join(game, "models", name), 3 * MB, 3)
    for name in SOUNDS.values():
        write(os.path.join(game, "sounds", name), 100 * 1024, 4)
    write(os.path.join(game, "tables", "vehicles.bin"), 64 * 1024, 5)
    os.makedirs(os.path.join(game, "maps"))
    return game


def fresh_game(original, root):
    game = os.path.join(root, "game")
    shutil.rmtree(game, ignore_errors=True)
    shutil.copytree(original, game)
    subprocess.run(["sync"], check=True)
    return game


peaks = []  # MiB, one per run of the program


def run_program(pkg, game):
    script = "\n".join([
        f"exe {pkg}/Setup.exe", "start", "click Button2", "click Button5", f"type Edit1 {game}/",
        f"select ComboBox1 {ROW}", "click Button8", "click CheckBox1", "click CheckBox3", "click Button18",
        "get page"]) + "\n"
    rss = os.path.join(os.path.dirname(game), "rss")
    start = time.perf_counter()
    p = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss, driver], input=script.encode(),
                       capture_output=True, check=True)
    elapsed = time.perf_counter() - start
    if b'"Fertig"' not in p.stdout:
        raise SystemExit("the installation did not finish:\n" + p.stdout.decode())
    with open(rss) as f:
        peaks.append(int(f.read().split()[-1]) / 1024)
    return elapsed


def run_cp(pkg, game, maps):
    copies = [(f"{pkg}/models/car.4ds", f"{game}/models/{name}") for name in MODELS]
    copies.append((f"{pkg}/models/extra.4ds", f"{game}/models/{EXTRA}"))
    copies += [(f"{pkg}/maps/{name}", f"{game}/maps/{name}") for name in maps]
    copies += [(f"{pkg}/sounds/{src}", f"{game}/sounds/{dst}") for src, dst in SOUNDS.items()]
    copies.append((f"{pkg}/tables/vehicles.bin", f"{game}/tables/vehicles.bin"))
    start = time.perf_counter()
    for source, target in copies:
        subprocess.run(["cp", source, target], check=True)
    subprocess.run(["sync"], check=True)
    return time.perf_counter() - start


def main():
    with tempfile.TemporaryDirectory(prefix="obrinex-bench-", dir=os.environ.get("OBRINEX_BENCH_DIR")) as root:
        pkg, maps = make_package(root)
        original = make_game(root)
        size = sum(os.path.getsize(os.path.join(b, f)) for b, _, fs in os.walk(pkg) for f in fs)
        print(f"package: {size / MB:.1f} MiB in {sum(len(fs) for _, _, fs in os.walk(pkg))} files")
        ratios = []
        for i in range(runs):
            game = fresh_game(original, root)
            ours = run_program(pkg, game)
            game = fresh_game(original, root)
            theirs = run_cp(pkg, game, maps)
            ratios.append(ours / theirs)
            print(f"run {i + 1}: obrinex-script {ours:.3f} s, cp + sync {theirs:.3f} s, ratio {ours / theirs:.3f}")
        peak = max(peaks)
        print(f"install: median ratio {statistics.median(ratios):.3f} (targets: at most 1.1 for the copies, 1.25 with the ledger)")
        print(f"install: peak resident memory of the program {peak:.1f} MiB (target under 20 MiB)")


main()

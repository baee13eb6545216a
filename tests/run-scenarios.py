#!/usr/bin/env python3
"""Runs the scenario scripts of tests/scenarios through obrinex-script and compares what the
driver printed with the scenario's .expected file.

A scenario NAME.scn is a driver script with a few directives of its own, which the runner
carries out in a fresh temporary folder before the script runs:

    #> file PATH [crlf|lf|cr] [noeol]   the lines up to "#> end" become the file PATH
                                         (Windows-1252, CR LF line ends unless told)
    #> hex PATH HEXBYTES                 a file of exactly these bytes
    #> mkdir PATH                        a folder
    #> copy SRC DST                      copies SRC (relative to the repository) to DST
    #> expect-file PATH                  after the run, the file's bytes are printed as hex
    #> expect-tree PATH                  after the run, the files below PATH are listed

Every other line goes to the driver, with @TMP@ replaced by the temporary folder. The output
is compared with @TMP@ put back, followed by the exit status and the requested files.

Usage: run-scenarios.py DRIVER [--update] [NAME ...]
"""
import os, shutil, subprocess, sys, tempfile

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
scenario_dir = os.path.join(root, "tests", "scenarios")


def prepare(lines, tmp):
    script, checks = [], []
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.startswith("#> "):
            script.append(line.replace("@TMP@", tmp))
            continue
        words = line[3:].split(" ")
        verb = words[0]
        if verb == "file":
            path, options = words[1], words[2:]
            body = []
            while i < len(lines) and lines[i] != "#> end":
                body.append(lines[i])
                i += 1
            i += 1
            eol = "\r" if "cr" in options else "\n" if "lf" in options else "\r\n"
            text = eol.join(body) + ("" if "noeol" in options else eol)
            target = os.path.join(tmp, path)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(text.replace("@TMP@", tmp).encode("cp1252"))
        elif verb == "hex":
            target = os.path.join(tmp, words[1])
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(bytes.fromhex("".join(words[2:])))
        elif verb == "mkdir":
            os.makedirs(os.path.join(tmp, words[1]), exist_ok=True)
        elif verb == "copy":
            src, dst = os.path.join(root, words[1]), os.path.join(tmp, words[2])
            if os.path.isdir(src):
                shutil.copytree(src, dst, dirs_exist_ok=True)
            else:
                os.makedirs(os.path.dirname(dst), exist_ok=True)
                shutil.copy(src, dst)
        elif verb in ("expect-file", "expect-tree"):
            checks.append((verb, words[1]))
        else:
            raise SystemExit(f"unknown directive {line!r}")
    return script, checks


def report_checks(checks, tmp):
    out = []
    for verb, path in checks:
        full = os.path.join(tmp, path)
        if verb == "expect-file":
            if os.path.isfile(full):
                with open(full, "rb") as f:
                    out.append(f"file {path}: {f.read().hex(' ')}")
            else:
                out.append(f"file {path}: missing")
        else:
            found = []
            for base, dirs, files in os.walk(full):
                dirs.sort()
                for name in sorted(files):
                    found.append(os.path.relpath(os.path.join(base, name), tmp))
            out.append(f"tree {path}: " + (", ".join(found) if found else "empty"))
    return out


def snapshot(folder):
    """Every file below the folder with its bytes: the package must read the same after a run."""
    found = {}
    for base, dirs, files in os.walk(folder):
        for name in files:
            full = os.path.join(base, name)
            with open(full, "rb") as f:
                found[os.path.relpath(full, folder)] = f.read()
    return found


def run(driver, name, update):
    with open(os.path.join(scenario_dir, name + ".scn"), encoding="utf-8") as f:
        lines = f.read().split("\n")
    with tempfile.TemporaryDirectory(prefix="obrinex-scenario-") as tmp:
        script, checks = prepare(lines, tmp)
        package = snapshot(os.path.join(tmp, "pkg"))
        p = subprocess.run([driver], input="\n".join(script).encode("utf-8"), capture_output=True,
                           cwd=tmp, timeout=60)
        out = p.stdout.decode("utf-8").replace(tmp, "@TMP@").splitlines()
        out.append(f"exit {p.returncode}")
        if p.returncode != 0:
            out.append("stderr " + p.stderr.decode("utf-8").strip())
        out += report_checks(checks, tmp)
        if snapshot(os.path.join(tmp, "pkg")) != package:
            out.append("the package folder was changed")
    actual = "\n".join(out) + "\n"
    expected_path = os.path.join(scenario_dir, name + ".expected")
    if update:
        with open(expected_path, "w", encoding="utf-8") as f:
            f.write(actual)
        return True, ""
    expected = open(expected_path, encoding="utf-8").read() if os.path.exists(expected_path) else ""
    if actual == expected:
        return True, ""
    import difflib
    diff = "".join(difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                        "expected", "actual"))
    return False, diff


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    update = "--update" in sys.argv
    driver = os.path.abspath(args[0])
    names = args[1:] or sorted(n[:-4] for n in os.listdir(scenario_dir) if n.endswith(".scn"))
    passed, failed = 0, []
    for name in names:
        ok, diff = run(driver, name, update)
        if ok:
            passed += 1
        else:
            failed.append(name)
            print(f"FAILED scenario {name}\n{diff}")
    print(f"scenarios: {passed} passed, {len(failed)} failed")
    sys.exit(1 if failed else 0)


main()

#!/usr/bin/env python3
"""Reads the layout report that Obrinex.exe writes when OBRINEX_LAYOUT_REPORT names a file
and checks every block of it: each shown label, check box, option button and button holds the
whole of its text as the control draws it (a button with room between its caption and frame), no such control reaches past its window's right edge,
and a label does not run into another control of its page.

    layout-check.py REPORT... [--languages deutsch,english,...]

Prints one line per fault and a summary; exit status 1 when a fault was found. With
--languages, also fails when a block in one of these languages (told apart by the caption of
the "next" button on the language page) is missing from the report.
"""
import sys

NEXT_CAPTIONS = {"weiter": "deutsch", "next": "english", "dále": "cesky", "Suivant": "francais"}
CHECKED = {"label", "checkbox", "radio", "button"}
# Controls that the design lays over each other on purpose: the car name lies under the
# variant box.
OVERLAP_ALLOWED = {("Label6", "ComboBox7")}


def blocks(path):
    block = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            fields = raw.rstrip("\n").split("\t")
            if fields[0] == "page":
                block = {"page": fields[1], "focus": fields[3], "forms": {}, "controls": []}
            elif fields[0] == "form":
                block["forms"][fields[1]] = {"visible": fields[2] == "1", "dpi": int(fields[3]),
                                             "width": int(fields[4]), "height": int(fields[5])}
            elif fields[0] == "control":
                form, name, kind, page, visible = fields[1:6]
                left, top, right, bottom, need_w, need_h = map(int, fields[6:12])
                block["controls"].append({"form": form, "name": name, "kind": kind, "page": int(page),
                                          "visible": visible == "1", "rect": (left, top, right, bottom),
                                          "need": (need_w, need_h), "checked": fields[12] == "1",
                                          "text": "\t".join(fields[13:])})
            elif fields[0] == "end":
                yield block
                block = None


def language(block):
    for control in block["controls"]:
        if control["form"] == "Form1" and control["name"] == "Button2":
            return NEXT_CAPTIONS.get(control["text"], control["text"])
    return "?"


def faults(block):
    for control in block["controls"]:
        if not control["visible"] or control["kind"] not in CHECKED or not control["text"]:
            continue
        left, top, right, bottom = control["rect"]
        need_w, need_h = control["need"]
        where = "%s.%s %r" % (control["form"], control["name"], control["text"])
        if need_w > right - left or need_h > bottom - top:
            yield "%s is cut: it needs %d x %d, its rectangle is %d x %d" % (
                where, need_w, need_h, right - left, bottom - top)
        edge = block["forms"][control["form"]]["width"]
        if right > edge:
            yield "%s reaches past the window's edge: right %d > %d" % (where, right, edge)
        if control["kind"] != "label":
            continue
        for other in block["controls"]:
            if (other is control or other["form"] != control["form"] or other["page"] != control["page"]
                    or not other["visible"] or (control["name"], other["name"]) in OVERLAP_ALLOWED):
                continue
            ol, ot, orr, ob = other["rect"]
            if ol < right and left < orr and ot < bottom and top < ob:
                yield "%s overlaps %s.%s" % (where, other["form"], other["name"])


def main(argv):
    paths = argv[1:]
    wanted = []
    if "--languages" in paths:
        at = paths.index("--languages")
        wanted = paths[at + 1].split(",")
        paths = paths[:at]
    count = 0
    seen = set()
    problems = []
    for block in (b for path in paths for b in blocks(path)):
        count += 1
        lang = language(block)
        dpi = block["forms"]["Form1"]["dpi"]
        seen.add(lang)
        for fault in faults(block):
            line = "%s, %d dpi: %s" % (lang, dpi, fault)
            if line not in problems:
                problems.append(line)
    for line in problems:
        print(line)
    missing = [lang for lang in wanted if lang not in seen]
    if missing:
        print("no report in: " + ", ".join(missing))
    print("%d blocks read, languages %s, %d faults" % (count, ", ".join(sorted(seen)), len(problems)))
    return 1 if problems or missing or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

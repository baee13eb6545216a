#!/usr/bin/env python3
"""Writes the demo mod package (examples/package) and the demo game folder
(examples/game) that scripts/run walks through the wizard.

Run it from anywhere: python3 examples/make-examples.py
The output is deterministic (same bytes on every run) and is kept in the
repository, so the demo needs no generation step. Standard library only.

Text files the wizard reads (setup.ini, readme.txt) are written as
Windows-1252 bytes with CR LF line ends, as a mod author on Windows would
ship them. Model, map and table files are small placeholders; the sounds are
short but valid WAV files; setup.bmp is a real 164 x 314 8-bit paletted BMP.
"""

import os
import shutil
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PACKAGE = os.path.join(HERE, "package")
GAME = os.path.join(HERE, "game")

# --- the demo package ------------------------------------------------------

CAR_NAME = "Bolt Roadster Deluxe"
MODEL = "roadster.4ds"
CRASH_MODEL = "roadster_crash.4ds"
MAPS = ["roadster_body.bmp", "roadster_interior.bmp", "roadster_wheels.bmp"]

# Line 1: car name, author field, e-mail field. The " · " (blank, 0xB7, blank)
# in both fields gives the package a converter credit (author Kemlo, converted
# by Ann Example).
SETUP_LINES = [
    CAR_NAME + ", Kemlo \u00b7 Ann Example, kemlo@example.org \u00b7 ann@example.org",
    MODEL,
    CRASH_MODEL,
] + MAPS

README = {
    "deutsch": [
        "Bolt Roadster Deluxe f\u00fcr Zarvo",
        "Ein offener Zweisitzer mit verchromtem K\u00fchlergrill und Wei\u00dfwandreifen.",
        "Enth\u00e4lt ein Crash-Modell, drei Texturen, eine rote Lackierung und eine tiefergelegte Variante.",
        "Motorger\u00e4usche und Hupe sind dabei; sie werden auf der Seite \u201eAdvanced\u201c angeboten.",
        "Modell: Kemlo. Umsetzung: Ann Example. Viel Spa\u00df!",
    ],
    "english": [
        "Bolt Roadster Deluxe for Zarvo",
        "An open two-seater with a chrome grille and white-wall tyres.",
        "Comes with a crash model, three textures, a red paint job and a lowered variant.",
        "Engine sounds and a horn are included; the wizard offers them on the \u201cAdvanced\u201d page.",
        "Model by Kemlo, converted by Ann Example. Have fun!",
    ],
    "cesky": [
        "Bolt Roadster Deluxe pro Zarvo",
        "Otevreny dvoumistny vuz s chromovanou maskou a bilymi pneumatikami.",
        "Obsahuje model pro havarie, tri textury, cerveny lak a snizenou variantu.",
        "Zvuky motoru a houkacka jsou soucasti baliku.",
        "Model: Kemlo, upravila Ann Example. Bavte se!",
    ],
    "francais": [
        "Bolt Roadster Deluxe pour Zarvo",
        "Un deux-places d\u00e9capotable avec calandre chrom\u00e9e et pneus \u00e0 flancs blancs.",
        "Livr\u00e9 avec un mod\u00e8le d\u2019accident, trois textures, une peinture rouge et une version surbaiss\u00e9e.",
        "Les bruits du moteur et le klaxon sont inclus ; l\u2019assistant les propose \u00e0 la page \u00ab\u00a0Advanced\u00a0\u00bb.",
        "Mod\u00e8le\u00a0: Kemlo, adaptation\u00a0: Ann Example. Bonne route\u00a0!",
    ],
}

# --- the demo game folder: the game files of a few catalogue rows ----------

GAME_ROWS = {
    1: {"models": ["fordtco00.4ds", "fordtco10.4ds", "fordTrun.4ds"],
        "sounds": ["fordT_on.wav", "fordT_off.wav", "fordT_0.wav", "fordT_1.wav", "horn11.wav"]},
    5: {"models": ["fordtco04.4ds", "fordtco14.4ds", "fordTrun.4ds"],
        "sounds": ["fordT_on.wav", "fordT_off.wav", "fordT_0.wav", "fordT_1.wav", "horn11.wav"]},
    146: {"models": ["chev01.4ds", "chev01.4ds", "fordor.4ds"],
          "sounds": ["chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav", "horn10.wav"]},
    207: {"models": ["phantomtaxi00.4ds", "phantomtaxi10.4ds", "phantom.4ds"],
          "sounds": ["phant_on.wav", "phant_off.wav", "phant_0.wav", "phant_1.wav", "horn14.wav"]},
}
GAME_MAPS = ["fordT_body.bmp", "chev6_body.bmp", "phantom_body.bmp"]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def cp1252_lines(lines):
    """Windows-1252 bytes, every line ended by CR LF."""
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def readme_bytes():
    lines = ["; Readme of the demo package: one section per language, keys 1, 2, 3 ..."]
    for language, texts in README.items():
        lines.append("")
        lines.append("[" + language + "]")
        lines += ["%d=%s" % (number, text) for number, text in enumerate(texts, 1)]
    return cp1252_lines(lines)


def wav_bytes(frequency, duration_ms, rate=8000):
    """A short mono 8-bit PCM WAV: a square wave of the given frequency."""
    count = rate * duration_ms // 1000
    period = rate // frequency
    samples = bytes(0xA0 if (i % period) < period // 2 else 0x60 for i in range(count))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def side_picture_bytes(width=164, height=314):
    """The side bar picture: an 8-bit paletted, bottom-up Windows BMP.

    Palette 0..127 is a blue ramp from night blue to steel blue, 128..191 a
    silver ramp. The picture is a vertical blue gradient with a dark blue band
    at the top and a bevelled silver stripe with a thin pin line above it.
    """
    palette = []
    for i in range(128):
        t = i / 127
        palette.append((int(12 + 50 * t), int(20 + 70 * t), int(48 + 120 * t)))  # r, g, b
    for i in range(64):
        v = int(120 + 125 * i / 63)
        palette.append((v, v, min(255, v + 8)))
    palette += [(0, 0, 0)] * (256 - len(palette))

    def blue(level):  # 0.0 .. 1.0
        return max(0, min(127, int(round(level * 127))))

    def silver(level):
        return 128 + max(0, min(63, int(round(level * 63))))

    band_end = 56
    stripe_top, stripe_bottom = 236, 252
    pin = 228
    rows = []
    for y in range(height):  # y = 0 is the top row
        row = bytearray(width)
        for x in range(width):
            if y < band_end:
                index = blue(0.05 + 0.10 * y / band_end)
            elif y == band_end:
                index = silver(0.55)
            elif y == pin and 12 <= x < width - 12:
                index = silver(0.7)
            elif stripe_top <= y < stripe_bottom:
                # bevel: bright at the top edge, darker towards the bottom,
                # a soft highlight running across
                depth = (y - stripe_top) / (stripe_bottom - stripe_top - 1)
                highlight = 0.25 * (1 - abs(x - width * 0.35) / width)
                index = silver(0.95 - 0.6 * depth + highlight)
            else:
                # vertical gradient, a touch lighter towards the right
                index = blue(0.25 + 0.65 * (y - band_end) / (height - band_end) + 0.08 * x / width)
            row[x] = index
        rows.append(bytes(row))

    stride = (width + 3) & ~3
    pixels = b"".join(r + b"\0" * (stride - width) for r in reversed(rows))  # bottom-up
    palette_bytes = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    offset = 14 + 40 + len(palette_bytes)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + palette_bytes + pixels


def placeholder(text):
    return (text + "\r\n").encode("ascii")


def make_package():
    write(os.path.join(PACKAGE, "setup.ini"), cp1252_lines(SETUP_LINES))
    write(os.path.join(PACKAGE, "readme.txt"), readme_bytes())
    write(os.path.join(PACKAGE, "setup.bmp"), side_picture_bytes())
    write(os.path.join(PACKAGE, "models", MODEL), placeholder("demo model " + MODEL + " (Bolt Roadster Deluxe)"))
    write(os.path.join(PACKAGE, "models", CRASH_MODEL), placeholder("demo model " + CRASH_MODEL + " (crash model)"))
    for name in MAPS:
        write(os.path.join(PACKAGE, "maps", name), placeholder("demo map " + name))
    write(os.path.join(PACKAGE, "color", "roadster_body_red.bmp"),
          placeholder("demo colour variant roadster_body_red.bmp (installed as " + MAPS[0] + ")"))
    write(os.path.join(PACKAGE, "cars", "roadster_lowered.4ds"),
          placeholder("demo car variant roadster_lowered.4ds (lowered suspension)"))
    sounds = [("on.wav", 220, 120), ("off.wav", 110, 120), ("0.wav", 80, 100), ("1.wav", 160, 100),
              ("horn.wav", 400, 150)]
    for name, frequency, duration in sounds:
        write(os.path.join(PACKAGE, "sounds", name), wav_bytes(frequency, duration))
    write(os.path.join(PACKAGE, "tables", "vehicles.bin"), b"DEMO-VEHICLES\0" + bytes(range(18)))


def make_game():
    for row in sorted(GAME_ROWS):
        files = GAME_ROWS[row]
        for name in files["models"]:
            write(os.path.join(GAME, "models", name), placeholder("original game file " + name))
        for name in files["sounds"]:
            write(os.path.join(GAME, "sounds", name), placeholder("original game file " + name))
    for name in GAME_MAPS:
        write(os.path.join(GAME, "maps", name), placeholder("original game file " + name))
    write(os.path.join(GAME, "tables", "vehicles.bin"), b"GAME-VEHICLES\0" + bytes(range(18, 0, -1)))


def main():
    for folder in (PACKAGE, GAME):
        if os.path.isdir(folder):
            shutil.rmtree(folder)  # start clean so that renamed files leave nothing behind
    make_package()
    make_game()
    print("wrote", os.path.relpath(PACKAGE), "and", os.path.relpath(GAME))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""make_icon.py OUTPUT: writes the program's icon, 16 and 32 pixels square, 32-bit with alpha:
the side strip's white-to-silver grey in a rounded square and the green arrow of the wizard."""
import struct
import sys

SAMPLES = 4  # per pixel and axis, for smooth edges


def inside_square(x, y):
    r = 0.18
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and 0 <= x <= 1 and 0 <= y <= 1


def inside_arrow(x, y):
    if 0.16 <= x <= 0.56 and 0.39 <= y <= 0.61:
        return True
    ax, ay, bx, by, cx, cy = 0.48, 0.18, 0.88, 0.50, 0.48, 0.82

    def side(fx, fy, tx, ty):
        return (tx - fx) * (y - fy) - (ty - fy) * (x - fx)

    return side(ax, ay, bx, by) >= 0 and side(bx, by, cx, cy) >= 0 and side(cx, cy, ax, ay) >= 0


def pixel(size, px, py):
    square = arrow = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            if inside_square(x, y):
                square += 1
                if inside_arrow(x, y):
                    arrow += 1
    total = SAMPLES * SAMPLES
    if square == 0:
        return (0, 0, 0, 0)
    grey = round(255 - 63 * px / (size - 1))
    share = arrow / square
    green = (40 + 20 * (1 - py / size), 170 - 40 * py / size, 40)
    r = grey * (1 - share) + green[0] * share
    g = grey * (1 - share) + green[1] * share
    b = grey * (1 - share) + green[2] * share
    return (round(b), round(g), round(r), round(255 * square / total))


def image(size):
    rows = []
    for py in reversed(range(size)):  # bottom-up, as in a bitmap
        rows.append(b"".join(struct.pack("4B", *pixel(size, px, py)) for px in range(size)))
    mask_row = b"\0" * (((size + 31) // 32) * 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask_row * size


def main():
    sizes = (32, 16)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()

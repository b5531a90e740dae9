#!/usr/bin/env python3
"""Draws the program's pictures (the login banner and the Users page portrait) as PNG files.

Run once after changing the drawing; the PNGs are committed under resources/pictures/."""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "pictures")


def png(path, w, h, pixel):
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            rows.extend(pixel(x, y))
    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def banner(x, y):
    w, h = 599, 152
    # The top rows stay clear: the login panel's tab sits there.
    if y < 22 or not inside_round_rect(x, y, 0, 22, w - 1, h - 1, 12):
        return b"\x00\x00\x00\x00"
    top, bottom = (30, 48, 110), (40, 130, 160)
    c = mix(top, bottom, y / h)
    # soft diagonal light bands
    band = 0.5 + 0.5 * math.sin((x + y * 0.6) / 45.0)
    c = mix(c, (255, 255, 255), 0.06 * band)
    # padlock: shackle and body
    cx, cy = 96, 92
    d = math.hypot(x - cx, y - (cy - 10))
    shackle = 26 <= d <= 36 and y <= cy - 10
    shackle |= (60 <= x <= 70 or 122 <= x <= 132) and cy - 10 <= y <= cy + 6
    body = inside_round_rect(x, y, 50, cy, 142, cy + 50, 10)
    keyhole = math.hypot(x - cx, y - (cy + 22)) <= 7 or (cx - 3 <= x <= cx + 3 and cy + 22 <= y <= cy + 40)
    if body and not keyhole:
        c = mix((250, 200, 70), (220, 150, 40), (y - cy) / 56)
    elif body and keyhole:
        c = (30, 40, 70)
    elif shackle:
        c = (210, 215, 225)
    # three rows of "password dots" to the right
    for row in range(3):
        ry = 62 + row * 24
        for i in range(10 - row * 2):
            dx, dy = x - (200 + i * 34), y - ry
            if dx * dx + dy * dy <= 64:
                c = mix((255, 255, 255), c, 0.15 + row * 0.2)
    return bytes(c) + b"\xff"


def portrait(x, y):
    w, h = 47, 49
    c = mix((225, 230, 245), (180, 190, 220), y / h)
    head = math.hypot(x - 23.5, y - 17) <= 9
    shoulders = ((x - 23.5) / 19) ** 2 + ((y - 49) / 17) ** 2 <= 1
    if head or shoulders:
        c = (70, 85, 130)
    return bytes(c) + b"\xff"


def main():
    os.makedirs(OUT, exist_ok=True)
    png(os.path.join(OUT, "icon11.png"), 599, 152, banner)
    png(os.path.join(OUT, "portrait.png"), 47, 49, portrait)


if __name__ == "__main__":
    main()

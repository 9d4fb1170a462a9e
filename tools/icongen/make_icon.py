#!/usr/bin/env python3
"""Draws the program's icon: a small clock face at every size Windows asks for
at 100 % to 200 % display scale (16, 20, 24, 32, 40, 48 and 64 pixels).

Writes resources/horalune.ico (32-bit pixels with alpha and the 1-bit mask
older systems use). Run from anywhere: python3 tools/icongen/make_icon.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "resources", "horalune.ico")

RIM = (40, 62, 104)        # deep blue ring
FACE = (250, 246, 232)     # warm white dial
TICK = (60, 60, 70)
HOUR = (30, 30, 40)
SECOND = (200, 40, 40)
SAMPLES = 4                # per axis: 16 samples per pixel for soft edges
# Largest first: the order Windows' own icons use. Sizes from 32 up carry the
# full face (second hand, twelve ticks); smaller ones only the quarter ticks,
# which would otherwise blur into the rim.
SIZES = (64, 48, 40, 32, 24, 20, 16)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def hand(angle_deg, length):
    a = math.radians(angle_deg)
    return math.sin(a) * length, -math.cos(a) * length


def colour_at(x, y, size):
    """Colour and coverage of one sample; coordinates relative to the centre."""
    r = math.hypot(x, y)
    outer = size / 2 - 0.5
    rim = max(1.2, size / 14)
    if r > outer:
        return None
    # Hands point at ten past ten: the friendliest clock face.
    hour_end = hand(305, size * 0.22)
    minute_end = hand(60, size * 0.34)
    second_end = hand(180, size * 0.36)
    width = size / 20 if size >= 32 else 0.75
    if segment_distance(x, y, 0, 0, *hour_end) < width:
        return HOUR
    if segment_distance(x, y, 0, 0, *minute_end) < width * 0.8:
        return HOUR
    if size >= 32 and segment_distance(x, y, 0, 0, *second_end) < 0.5:
        return SECOND
    if r < width * 1.3:
        return SECOND
    if r > outer - rim:
        return RIM
    # Twelve ticks; the quarters are longer.
    for k in range(12):
        a = math.radians(k * 30)
        inner = outer - rim - (size * (0.16 if size >= 32 else 0.1) if k % 3 == 0 else size * 0.08)
        ax, ay = math.sin(a) * inner, -math.cos(a) * inner
        bx, by = math.sin(a) * (outer - rim), -math.cos(a) * (outer - rim)
        if size < 32 and k % 3:
            continue
        if segment_distance(x, y, ax, ay, bx, by) < (0.8 if k % 3 else 1.0 if size >= 32 else 0.6):
            return TICK
    return FACE


def render(size):
    pixels = []  # rows top first, (b, g, r, a)
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES - size / 2
                    y = py + (sy + 0.5) / SAMPLES - size / 2
                    c = colour_at(x, y, size)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            n = SAMPLES * SAMPLES
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(acc[i] / covered) for i in range(3))
                row.append((b, g, r, round(255 * covered / n)))
        pixels.append(row)
    return pixels


def icon_image(size):
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(p) for row in reversed(pixels) for p in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] < 128:  # transparent where the picture is mostly clear
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main():
    images = [(size, icon_image(size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(OUT, "wb") as f:
        f.write(out)
    print("wrote", os.path.normpath(OUT), len(out), "bytes")


if __name__ == "__main__":
    main()

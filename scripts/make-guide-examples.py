"""Draws the example skins of docs/skin-guide.md into docs/examples/.

    python3 scripts/make-guide-examples.py [OUT_DIR]

Three small skins, each showing a few of the skin keys:
  square/  the least a skin needs: a body, two hands without masks, the whole
           body rectangle as the window (TransparentColor=non)
  round/   a round window cut by a colour key, three hands with soft masks,
           numerals and a cover with masks, an effect written back
  blink/   the top-left pixel as the colour key, a dial animation of four
           frames, pictures kept in a subfolder
  soft/    pictures with their own alpha: a PNG body with a soft rim and
           shadow, PNG hands and cap, a second hand as a 32-bit BMP with an
           alpha mask (V5 header)
Colour pictures are 24-bit BMPs, masks 8-bit grey palette BMPs; the skin files
are code page 932 with CRLF line ends, as the clock reads them.
"""
import math
import os
import struct
import sys
import zlib


def bmp24(width, height, pixel):
    """pixel(x, y) -> 0xRRGGBB, y = 0 the top row; stored bottom-up."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            c = pixel(x, y)
            row += bytes((c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF))
        data += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def bmp8grey(width, height, value):
    """value(x, y) -> 0..255 (255 opaque); an 8-bit file with a grey palette."""
    stride = (width + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytes(max(0, min(255, int(value(x, y)))) for x in range(width))
        data += row + b"\0" * (stride - len(row))
    palette = b"".join(bytes((g, g, g, 0)) for g in range(256))
    offset = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    return header + info + palette + bytes(data)


def skin_text(sections):
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in keys]
        lines.append("")
    return "\r\n".join(lines).encode("cp932")


def coverage(distance, edge):
    """255 inside, 0 outside, a one-pixel soft edge at `edge`."""
    return 255 * max(0.0, min(1.0, edge - distance + 0.5))


def bar(width, height, colour):
    """A hand pointing up: a rounded bar, its colour picture and its mask."""
    half = width / 2.0

    def inside(x, y):
        cx = x + 0.5
        cy = y + 0.5
        top = half
        if cy < top:  # round tip
            return coverage(math.hypot(cx - half, cy - top), half)
        return coverage(abs(cx - half), half)

    return bmp24(width, height, lambda x, y: colour), bmp8grey(width, height, inside)


def png_rgba(width, height, pixel):
    """pixel(x, y) -> (0xRRGGBB, alpha 0..255), straight alpha; an 8-bit RGBA PNG."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            c, a = pixel(x, y)
            raw += bytes(((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, int(round(a))))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def bmp32alpha(width, height, pixel):
    """pixel(x, y) -> (0xRRGGBB, alpha); a 32-bit BMP, V5 header, alpha mask 0xFF000000."""
    data = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            c, a = pixel(x, y)
            data += struct.pack("<I", (int(round(a)) << 24) | c)
    header = struct.pack("<2sIHHI", b"BM", 14 + 124 + len(data), 0, 0, 14 + 124)
    info = struct.pack("<IiiHHIIiiII", 124, width, height, 1, 32, 3, len(data), 2835, 2835, 0, 0)
    info += struct.pack("<IIIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 0x73524742)
    info += b"\0" * (124 - len(info))
    return header + info + bytes(data)


class Writer:
    def __init__(self, root, name):
        self.folder = os.path.join(root, name)
        os.makedirs(self.folder, exist_ok=True)

    def put(self, relative, data):
        path = os.path.join(self.folder, *relative.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def square(root):
    w = Writer(root, "square")
    size = 64

    def body(x, y):
        if x < 3 or y < 3 or x >= size - 3 or y >= size - 3:
            return 0x303840
        for (tx, ty) in ((31, 6), (31, 56), (6, 31), (56, 31)):
            if tx <= x < tx + 2 and ty <= y < ty + 2:
                return 0x303840
        return 0xF0ECE0

    w.put("body.bmp", bmp24(size, size, body))
    w.put("hour.bmp", bmp24(4, 18, lambda x, y: 0x202020))
    w.put("minute.bmp", bmp24(2, 26, lambda x, y: 0x202020))
    w.put("Square.HRL", skin_text([
        ("Initialize", [("Title", "四角い時計"), ("Author", "ほらるね開発チーム"),
                        ("AntiAliasing", 0), ("AxisPosX", 32), ("AxisPosY", 32),
                        ("Interval", 500), ("TransparentColor", "non")]),
        ("Body", [("Graph", "body.bmp")]),
        ("HourHand", [("Graph", "hour.bmp"), ("AxisX", 2), ("AxisY", 16)]),
        ("MinuteHand", [("Graph", "minute.bmp"), ("AxisX", 1), ("AxisY", 24)]),
    ]))


def round_skin(root):
    w = Writer(root, "round")
    size, centre = 96, 48.0

    def body(x, y):
        d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
        if d > 47:
            return 0xFF00FF  # the colour key: cut out of the window
        if d > 43:
            return 0x2E4A6E
        shade = int(232 - d)
        return (shade << 16) | (shade << 8) | 0xF8

    w.put("body.bmp", bmp24(size, size, body))

    # Twelve dots on a 72 x 72 picture placed at (12, 12).
    dots = [(36 + 31 * math.sin(math.radians(30 * k)), 36 - 31 * math.cos(math.radians(30 * k)))
            for k in range(12)]

    def dot_mask(x, y):
        d = min(math.hypot(x + 0.5 - dx, y + 0.5 - dy) for dx, dy in dots)
        return coverage(d, 2.0)

    w.put("numerals.bmp", bmp24(72, 72, lambda x, y: 0x2E4A6E))
    w.put("numerals_mask.bmp", bmp8grey(72, 72, dot_mask))
    for name, (bw, bh, colour) in {"hour": (6, 28, 0x1C2C44), "minute": (4, 40, 0x1C2C44),
                                   "second": (2, 44, 0xD03020)}.items():
        picture, mask = bar(bw, bh, colour)
        w.put(name + ".bmp", picture)
        w.put(name + "_mask.bmp", mask)
    w.put("cap.bmp", bmp24(10, 10, lambda x, y: 0xD03020))
    w.put("cap_mask.bmp", bmp8grey(10, 10, lambda x, y: coverage(math.hypot(x + 0.5 - 5, y + 0.5 - 5), 4.5)))
    w.put("Round.HRL", skin_text([
        ("Initialize", [("Title", "まるい時計"), ("Author", "ほらるね開発チーム"),
                        ("Comment", "色キーで丸く切り抜いた例です。"),
                        ("AntiAliasing", 1), ("SpecialMenu", 1), ("Effect", 0), ("Topmost", 0),
                        ("DialNumPosX", 12), ("DialNumPosY", 12),
                        ("AxisPosX", 48), ("AxisPosY", 48), ("CoverPosX", 43), ("CoverPosY", 43),
                        ("PosX", 100), ("PosY", 100), ("Interval", 250),
                        ("TransparentColor", 16711935)]),
        ("Body", [("Graph", "body.bmp")]),
        ("HourHand", [("Graph", "hour.bmp"), ("Mask", "hour_mask.bmp"), ("AxisX", 3), ("AxisY", 24)]),
        ("MinuteHand", [("Graph", "minute.bmp"), ("Mask", "minute_mask.bmp"), ("AxisX", 2), ("AxisY", 36)]),
        ("SecondHand", [("Graph", "second.bmp"), ("Mask", "second_mask.bmp"), ("AxisX", 1), ("AxisY", 38)]),
        ("Dial", [("Numchar", "numerals.bmp"), ("NumMask", "numerals_mask.bmp")]),
        ("Cover", [("Graph", "cap.bmp"), ("Mask", "cap_mask.bmp")]),
    ]))


def blink(root):
    w = Writer(root, "blink")
    width, height = 88, 72

    def body(x, y):
        # The corners keep the top-left colour (black), so they are cut out.
        inset = 10
        dx = max(inset - x, 0, x - (width - 1 - inset))
        dy = max(inset - y, 0, y - (height - 1 - inset))
        if dx * dx + dy * dy > inset * inset:
            return 0x000000
        return 0x243048 if y < 40 else 0x3A4A66

    w.put("body.bmp", bmp24(width, height, body))
    # Four frames of a star on a 24 x 24 dial at (32, 8): small, big, small, gone.
    for k, radius in enumerate((3.0, 7.0, 3.0, 0.0)):
        def star(x, y, r=radius):
            cx, cy = x + 0.5 - 12, y + 0.5 - 12
            d = min(abs(cx), abs(cy)) * 3 + math.hypot(cx, cy)
            return coverage(d, r * 1.6) if r > 0 else 0
        w.put("parts\\star%02d.bmp" % k, bmp24(24, 24, lambda x, y: 0xFFE890))
        w.put("parts\\star%02d_mask.bmp" % k, bmp8grey(24, 24, star))
    for name, (bw, bh) in {"hour": (4, 16), "minute": (3, 24)}.items():
        picture, mask = bar(bw, bh, 0xE8ECF4)
        w.put("parts\\%s.bmp" % name, picture)
        w.put("parts\\%s_mask.bmp" % name, mask)
    dial = []
    for k in range(4):
        dial += [("Graph%02d" % k, "parts\\star%02d.bmp" % k), ("Mask%02d" % k, "parts\\star%02d_mask.bmp" % k)]
    w.put("Blink.HRL", skin_text([
        ("Initialize", [("Title", "またたく星"), ("Author", "ほらるね開発チーム"),
                        ("SpecialMenu", 2), ("Effect", 5),
                        ("DialPosX", 32), ("DialPosY", 8), ("AxisPosX", 44), ("AxisPosY", 48),
                        ("Interval", 100), ("Animation", 4), ("Permillage", 20)]),
        ("Body", [("Graph", "body.bmp")]),
        ("HourHand", [("Graph", "parts\\hour.bmp"), ("Mask", "parts\\hour_mask.bmp"),
                      ("AxisX", 2), ("AxisY", 14)]),
        ("MinuteHand", [("Graph", "parts\\minute.bmp"), ("Mask", "parts\\minute_mask.bmp"),
                        ("AxisX", 1), ("AxisY", 22)]),
        ("Dial", dial),
    ]))


def soft(root):
    w = Writer(root, "soft")
    size, centre, radius = 96, 48.0, 42.0

    def body(x, y):
        """A face with an anti-aliased rim over a soft shadow below right."""
        d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
        face = coverage(d, radius) / 255.0
        shadow = 0.35 * max(0.0, min(1.0, (radius + 5 - math.hypot(x - centre - 2, y - centre - 3)) / 5))
        alpha = face + shadow * (1 - face)
        if alpha <= 0:
            return 0x000000, 0
        if d > radius - 3:
            colour = 0x3A5878
        else:
            shade = int(244 - d * 0.6)
            colour = (shade << 16) | (shade << 8) | 0xFA
        # The shadow is black: where the face thins out, the colour darkens.
        mix = face / alpha
        r, g, b = ((colour >> s) & 0xFF for s in (16, 8, 0))
        colour = (int(r * mix) << 16) | (int(g * mix) << 8) | int(b * mix)
        return colour, 255 * alpha

    def hand(width, height, colour):
        half = width / 2.0

        def pixel(x, y):
            cx, cy = x + 0.5, y + 0.5
            d = math.hypot(cx - half, cy - half) if cy < half else abs(cx - half)
            return colour, coverage(d, half)

        return pixel

    w.put("body.png", png_rgba(size, size, body))
    w.put("hour.png", png_rgba(6, 28, hand(6, 28, 0x1C2C44)))
    w.put("minute.png", png_rgba(4, 40, hand(4, 40, 0x1C2C44)))
    w.put("second.bmp", bmp32alpha(2, 44, hand(2, 44, 0xD03020)))
    w.put("cap.png", png_rgba(10, 10, lambda x, y: (0xD03020, coverage(math.hypot(x + 0.5 - 5, y + 0.5 - 5), 4.5))))
    w.put("Soft.HRL", skin_text([
        ("Initialize", [("Title", "ふちの柔らかい時計"), ("Author", "ほらるね開発チーム"),
                        ("Comment", "PNG と 32 ビット BMP のアルファで縁と影を描いた例です。"),
                        ("AntiAliasing", 1), ("AxisPosX", 48), ("AxisPosY", 48),
                        ("CoverPosX", 43), ("CoverPosY", 43), ("Interval", 250)]),
        ("Body", [("Graph", "body.png")]),
        ("HourHand", [("Graph", "hour.png"), ("AxisX", 3), ("AxisY", 24)]),
        ("MinuteHand", [("Graph", "minute.png"), ("AxisX", 2), ("AxisY", 36)]),
        ("SecondHand", [("Graph", "second.bmp"), ("AxisX", 1), ("AxisY", 38)]),
        ("Cover", [("Graph", "cap.png")]),
    ]))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "docs", "examples")
    square(root)
    round_skin(root)
    blink(root)
    soft(root)


main()

"""Pictures as the Wine scenarios compare them: a width, a height and the RGB
bytes of the rows from the top. They come from BMP files (what horalune-frame
writes, what a skin holds) and from dumps of the virtual X screen."""
import struct
import subprocess

CONVERT = "/usr/bin/convert"  # /usr/local/bin/convert may be a stub


class Picture:
    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("%dx%d picture with %d bytes" % (width, height, len(rgb)))
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        r, g, b = self.rgb[i:i + 3]
        return (r << 16) | (g << 8) | b

    def save_png(self, path):
        subprocess.run([CONVERT, "-size", "%dx%d" % (self.width, self.height), "-depth", "8",
                        "rgb:-", path], input=self.rgb, check=True)
        return path


def read_bmp(path):
    """An uncompressed 24- or 32-bit BMP, either row order."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError("%s is not a BMP file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression != 0 or width <= 0 or height == 0:
        raise ValueError("%s: %d-bit BMP, compression %d, %dx%d" % (path, bits, compression,
                                                                   width, height))
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = abs(height)
    out = bytearray(width * rows * 3)
    for y in range(rows):
        stored = rows - 1 - y if height > 0 else y  # positive height: bottom row first
        row = data[offset + stored * stride: offset + stored * stride + width * step]
        line = memoryview(out)[y * width * 3:(y + 1) * width * 3]
        line[0::3] = row[2::step]
        line[1::3] = row[1::step]
        line[2::3] = row[0::step]
    return Picture(width, rows, out)


def _shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


def parse_xwd(data, left, top, width, height):
    """The rectangle (left, top, width, height) of an X window dump of a true
    colour screen; the header is big-endian, the pixels as its fields say."""
    fields = struct.unpack_from(">25I", data, 0)
    header_size, pixmap_format, depth = fields[0], fields[2], fields[3]
    screen_width, screen_height = fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    colours = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32) or depth < 24:
        raise ValueError("X dump of depth %d, %d bits per pixel, format %d"
                         % (depth, bits_per_pixel, pixmap_format))
    if left < 0 or top < 0 or left + width > screen_width or top + height > screen_height:
        raise ValueError("rectangle %r outside the %dx%d screen"
                         % ((left, top, width, height), screen_width, screen_height))
    start = header_size + colours * 12
    step = bits_per_pixel // 8
    endian = "little" if byte_order == 0 else "big"
    shifts = [_shift(m) for m in masks]
    out = bytearray(width * height * 3)
    at = 0
    for y in range(top, top + height):
        row = start + y * bytes_per_line + left * step
        for x in range(width):
            value = int.from_bytes(data[row + x * step: row + x * step + step], endian)
            for mask, shift in zip(masks, shifts):
                out[at] = (value & mask) >> shift
                at += 1
    return Picture(width, height, out)


def grab_screen(display, left, top, width, height):
    """A rectangle of the X screen :display as it is now."""
    dump = subprocess.run(["xwd", "-root", "-silent", "-display", ":%d" % display],
                          stdout=subprocess.PIPE, check=True).stdout
    return parse_xwd(dump, left, top, width, height)


def differences(a, b, indices):
    """The pixel indices (y * width + x) among `indices` where a and b differ."""
    ra, rb = a.rgb, b.rgb
    return [i for i in indices if ra[3 * i:3 * i + 3] != rb[3 * i:3 * i + 3]]


def difference_picture(a, b, indices):
    """White where a and b differ, a dimmed copy of a elsewhere."""
    out = bytearray(c // 3 for c in a.rgb)
    for i in differences(a, b, indices):
        out[3 * i:3 * i + 3] = b"\xff\xff\xff"
    return Picture(a.width, a.height, out)

"""The clock on a screen at 150 % (LogPixels 144): the window is 1.5 times the
body, its cut-out corners show the desktop behind it, its picture is
horalune-frame's at --scale 1.5 for the same second (and the native build's
tool draws the same picture, when it is built), and Esc writes the window's
position in physical screen pixels, as at 96 dpi."""
import calendar
import datetime
import os
import re
import shutil
import subprocess
import time

from harness import BUILD, SOURCE, Session, check, ini_keys, scenario
from pictures import difference_picture, differences, grab_screen, read_bmp

FRAME_TOOL = os.path.join(BUILD, "tools", "horalune-frame.exe")
NATIVE_FRAME_TOOL = os.environ.get(
    "HORALUNE_NATIVE_FRAME", os.path.join(SOURCE, "build", "native", "tools", "horalune-frame"))
KEY_COLOUR = 0xFF00FF
DPI = 144
GRABS = 15


def scaled(length):
    """The rounding rule: length * dpi / 96, halves away from zero."""
    return (length * DPI + 48) // 96


def scaled_outline(body):
    """Indices of the window pixels inside the outline: at least half of the
    pixel's area, mapped back onto the body, covers non-key pixels."""
    w, h = body.width, body.height
    ow, oh = scaled(w), scaled(h)

    def overlaps(size, out):
        table = []
        for i in range(out):
            lo, hi = i * size, (i + 1) * size
            parts = []
            for k in range(lo // out, size):
                if k * out >= hi:
                    break
                parts.append((k, min(hi, (k + 1) * out) - max(lo, k * out)))
            table.append(parts)
        return table

    columns, rows = overlaps(w, ow), overlaps(h, oh)
    inside = [[body.pixel(x, y) != KEY_COLOUR for x in range(w)] for y in range(h)]
    outline = []
    for y in range(oh):
        for x in range(ow):
            covered = sum(a * b for k, a in rows[y] for m, b in columns[x] if inside[k][m])
            if 2 * covered >= w * h:
                outline.append(y * ow + x)
    return outline, ow, oh


def wine_zone_offset(s):
    rc, lines = s.probe("localtime")
    check(rc == 0 and lines and lines[0][0] == "localtime", "no local time from the probe")
    stamp, fields = int(lines[0][1]), [int(v) for v in lines[0][2:8]]
    return calendar.timegm(tuple(fields) + (0, 0, 0)) - stamp


def render(s, skin, when):
    out = s.path("renders", when.strftime("%H%M%S") + ".bmp")
    if not os.path.exists(out):
        os.makedirs(os.path.dirname(out), exist_ok=True)
        done = subprocess.run(
            ["wine", FRAME_TOOL, s.win(skin), "--time", when.strftime("%H:%M:%S"), "--scale", "1.5",
             "-o", s.win(out)],
            env=s.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        check(done.returncode == 0 and os.path.exists(out),
              "horalune-frame ended with %d: %s" % (
                  done.returncode, done.stderr.decode("utf-8", "replace").strip()))
    return read_bmp(out)


def expect_window_shows(s, skin, place, outline, offset):
    left, top, width, height = place
    best = None
    for _ in range(GRABS):
        before = time.time()
        shot = grab_screen(s.display, left, top, width, height)
        first = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=int(before) + offset)
        for when in (first, first - datetime.timedelta(seconds=1), first + datetime.timedelta(seconds=1)):
            picture = render(s, skin, when)
            check((picture.width, picture.height) == (width, height),
                  "render %dx%d, window %dx%d" % (picture.width, picture.height, width, height))
            differing = differences(shot, picture, outline)
            if not differing:
                return shot, when
            if best is None or len(differing) < len(best[1]):
                best = (shot, differing, picture)
        time.sleep(0.2)
    shot, differing, picture = best
    folder = s.path("mismatch")
    os.makedirs(folder, exist_ok=True)
    shot.save_png(os.path.join(folder, "window.png"))
    picture.save_png(os.path.join(folder, "render.png"))
    difference_picture(shot, picture, outline).save_png(os.path.join(folder, "differences.png"))
    raise AssertionError("%d of %d pixels differ from the render at 1.5; pictures in %s"
                         % (len(differing), len(outline), folder))


def stage_still_skin(s):
    """The bundled skin without random dial runs, cut by magenta."""
    folder = s.path("standard")
    shutil.copytree(os.path.join(SOURCE, "skins", "standard"), folder)
    skin = os.path.join(folder, "Standard.HRL")
    with open(skin, "rb") as f:
        text = f.read()
    for key, value in {"Permillage": "0", "TransparentColor": str(KEY_COLOUR),
                       "PosX": "200", "PosY": "150"}.items():
        text, count = re.subn(rb"(?m)^%s=[^\r\n]*" % key.encode(), ("%s=%s" % (key, value)).encode(), text)
        if count == 0:
            text = text.replace(b"[Initialize]\r\n", ("[Initialize]\r\n%s=%s\r\n" % (key, value)).encode(), 1)
    with open(skin, "wb") as f:
        f.write(text)
    return folder, skin


def run():
    check(os.path.exists(FRAME_TOOL), "no horalune-frame.exe in %s" % BUILD)
    with Session("clock_at_150_percent", dpi=DPI) as s:
        s.write_config({"DataDir": "non"})
        folder, skin = stage_still_skin(s)
        body = read_bmp(os.path.join(folder, "body.bmp"))
        outline, width, height = scaled_outline(body)
        check(0 < len(outline) < width * height, "the body has no cut-out outline")
        desktop = grab_screen(s.display, 0, 0, 1280, 1024)

        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        left, top, right, bottom = s.rect(clock)
        check((right - left, bottom - top) == (width, height),
              "window %r for a %dx%d body at 150 %%" % ((left, top, right, bottom), body.width, body.height))
        check((left, top) == (200, 150), "window at %r, the skin says (200, 150)" % ((left, top),))

        shot, when = expect_window_shows(s, skin, (left, top, width, height), outline,
                                         wine_zone_offset(s))
        if os.path.exists(NATIVE_FRAME_TOOL):
            native = s.path("native.bmp")
            subprocess.run([NATIVE_FRAME_TOOL, skin, "--time", when.strftime("%H:%M:%S"),
                            "--scale", "1.5", "-o", native], check=True, timeout=120,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            theirs, ours = read_bmp(native), render(s, skin, when)
            check(not differences(theirs, ours, range(width * height)),
                  "the native build draws another picture at 1.5")
        # Outside the outline the desktop shows, as it was before the clock.
        inside = set(outline)
        for y in range(height):
            for x in range(width):
                if y * width + x not in inside:
                    check(shot.pixel(x, y) == desktop.pixel(left + x, top + y),
                          "pixel (%d, %d) outside the outline is %06X, the desktop %06X"
                          % (x, y, shot.pixel(x, y), desktop.pixel(left + x, top + y)))
        check(shot.pixel(0, 0) != KEY_COLOUR, "the corner shows the key colour")
        shot = s.settled_screenshot(s.path("clock-at-150.png"))
        if os.environ.get("HORALUNE_SHOTS"):
            shutil.copy(shot, os.environ["HORALUNE_SHOTS"])
        if os.environ.get("HORALUNE_KEEP_SCREENSHOT"):
            shutil.copy(s.path("clock-at-150.png"), os.environ["HORALUNE_KEEP_SCREENSHOT"])

        s.key(clock, 0x1B)
        s.expect_exit(0)
        values = dict(ini_keys(skin, "Initialize"))
        check((values.get("PosX"), values.get("PosY")) == ("200", "150"),
              "position written %r, window was at %r" % ((values.get("PosX"), values.get("PosY")), (left, top)))


scenario(run)

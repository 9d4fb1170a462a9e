"""What the clock window shows is, pixel for pixel, what horalune-frame renders
for the same skin, time, effect and anti-aliasing: after start-up, after each
of the seven effect commands and after the anti-aliasing toggle. Only the pixels
inside the window's shape (the body pixels that are not the key colour) are
compared; the screen is read as 24-bit RGB. The time is read from the wall
clock around each screen grab, so a grab passes when it equals the render of
the second before, during or after it."""
import calendar
import datetime
import os
import re
import shutil
import subprocess
import time

from harness import BUILD, SOURCE, Session, check, scenario
from pictures import difference_picture, differences, grab_screen, read_bmp

FRAME_TOOL = os.path.join(BUILD, "tools", "horalune-frame.exe")
KEY_COLOUR = 0xFF00FF

IDM_ANTIALIASING = 5001
IDM_NORMAL = 5500  # 5500 + n chooses effect n
IDM_NEGATIVE = 5501
IDM_SOLARIZATION = 5502
IDM_GRAYSCALE = 5503
IDM_GOLD = 5504
IDM_SEPIA = 5505
IDM_EMBOSS = 5506

# Screen grabs per check before giving up: a command is handled a moment after
# it is posted, and Wine puts the picture on the X screen a moment after that.
GRABS = 15


class Renders:
    """horalune-frame's pictures of one skin, made once per (second, effect,
    anti-aliasing) and kept for the rest of the session."""

    def __init__(self, session, skin):
        self.session = session
        self.skin = skin
        self.made = {}

    def path(self, when, effect, antialiasing):
        return self.session.path("renders", "%s-e%d-%s.bmp" % (
            when.strftime("%H%M%S"), effect, "aa" if antialiasing else "plain"))

    def get(self, when, effect, antialiasing):
        key = (when, effect, antialiasing)
        if key not in self.made:
            out = self.path(when, effect, antialiasing)
            os.makedirs(os.path.dirname(out), exist_ok=True)
            s = self.session
            done = subprocess.run(
                ["wine", FRAME_TOOL, s.win(self.skin), "--time", when.strftime("%H:%M:%S"),
                 "--effect", str(effect), "--antialiasing", "on" if antialiasing else "off",
                 "-o", s.win(out)],
                env=s.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
            check(done.returncode == 0 and os.path.exists(out),
                  "horalune-frame ended with %d: %s" % (
                      done.returncode, done.stderr.decode("utf-8", "replace").strip()))
            self.made[key] = read_bmp(out)
        return self.made[key]


def wine_zone_offset(s):
    """Seconds from UTC to the local time the clock reads. Wine need not
    follow TZ as Python does (TZ=Asia/Tokyo left it on the system's zone), so
    a program under Wine is asked, with the C library calls the clock uses."""
    rc, lines = s.probe("localtime")
    check(rc == 0 and lines and lines[0][0] == "localtime", "no local time from the probe")
    stamp, fields = int(lines[0][1]), [int(v) for v in lines[0][2:8]]
    return calendar.timegm(tuple(fields) + (0, 0, 0)) - stamp


def whole_second(stamp, offset):
    return datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=int(stamp) + offset)


def candidate_seconds(before, after, offset):
    """The local seconds the window may show when grabbed between the two
    stamps: the frame of the last due tick may be a second old, and one second
    of slack on the other side; the likeliest first."""
    first, last = whole_second(before, offset), whole_second(after, offset)
    one = datetime.timedelta(seconds=1)
    order = [first, first - one]
    moment = first + one
    while moment <= last + one:
        order.append(moment)
        moment += one
    return order


def expect_window_shows(s, renders, place, shape, effect, antialiasing, label, offset):
    """Grabs the window until it equals the render of one candidate second;
    a mismatch keeps the pictures in the stage and fails with the count of
    differing pixels."""
    left, top, width, height = place
    best = None
    for _ in range(GRABS):
        before = time.time()
        shot = grab_screen(s.display, left, top, width, height)
        after = time.time()
        for when in candidate_seconds(before, after, offset):
            render = renders.get(when, effect, antialiasing)
            check((render.width, render.height) == (width, height),
                  "render %dx%d, window %dx%d" % (render.width, render.height, width, height))
            differing = differences(shot, render, shape)
            if not differing:
                return when
            if best is None or len(differing) < len(best[2]):
                best = (shot, when, differing, render)
        time.sleep(0.2)
    shot, when, differing, render = best
    folder = s.path("mismatch-" + label)
    os.makedirs(folder, exist_ok=True)
    shot.save_png(os.path.join(folder, "window.png"))
    render.save_png(os.path.join(folder, "render-%s.png" % when.strftime("%H%M%S")))
    difference_picture(shot, render, shape).save_png(os.path.join(folder, "differences.png"))
    samples = ", ".join("(%d, %d) window %06X render %06X" % (
        i % width, i // width, shot.pixel(i % width, i // width),
        render.pixel(i % width, i // width)) for i in differing[:4])
    raise AssertionError("%s: %d of %d pixels differ from the closest render (%s); %s; "
                         "pictures in %s" % (label, len(differing), len(shape),
                                             when.strftime("%H:%M:%S"), samples, folder))


# The bundled skin's settings as this scenario needs them: no random dial
# animation (every frame is a function of the time alone), effects allowed,
# Normal with anti-aliasing at start, the shape cut by the key colour.
STILL_SKIN = {"Permillage": "0", "SpecialMenu": "1", "Effect": "0", "AntiAliasing": "1",
              "TransparentColor": str(KEY_COLOUR)}


def stage_still_skin(s):
    folder = s.path("standard")
    shutil.copytree(os.path.join(SOURCE, "skins", "standard"), folder)
    skin = os.path.join(folder, "Standard.HRL")
    with open(skin, "rb") as f:
        text = f.read()
    for key, value in STILL_SKIN.items():
        text, count = re.subn(rb"(?m)^%s=[^\r\n]*" % key.encode(),
                              ("%s=%s" % (key, value)).encode(), text)
        check(count == 1, "the bundled skin has no %s key" % key)
    with open(skin, "wb") as f:
        f.write(text)
    return folder, skin


def run():
    check(os.path.exists(FRAME_TOOL), "no horalune-frame.exe in %s" % BUILD)
    with Session("window_matches_frame") as s:
        s.write_config({"DataDir": "non"})
        folder, skin = stage_still_skin(s)
        body = read_bmp(os.path.join(folder, "body.bmp"))
        shape = [i for i in range(body.width * body.height)
                 if body.pixel(i % body.width, i // body.width) != KEY_COLOUR]
        check(0 < len(shape) < body.width * body.height, "the body has no cut-out outline")
        renders = Renders(s, skin)

        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        left, top, right, bottom = s.rect(clock)
        check((right - left, bottom - top) == (body.width, body.height),
              "window %r for a %dx%d body" % ((left, top, right, bottom), body.width, body.height))
        place = (left, top, body.width, body.height)

        offset = wine_zone_offset(s)
        expect_window_shows(s, renders, place, shape, 0, True, "start", offset)
        steps = [(IDM_GRAYSCALE, 3, True, "grayscale"),
                 (IDM_EMBOSS, 6, True, "emboss"),
                 (IDM_NORMAL, 0, True, "normal"),
                 (IDM_ANTIALIASING, 0, False, "antialiasing-off"),
                 # The other effects, over hands drawn without smoothing.
                 (IDM_GOLD, 4, False, "gold"),
                 (IDM_SEPIA, 5, False, "sepia"),
                 (IDM_NEGATIVE, 1, False, "negative"),
                 (IDM_SOLARIZATION, 2, False, "solarization")]
        for command, effect, antialiasing, label in steps:
            s.command(clock, command)
            expect_window_shows(s, renders, place, shape, effect, antialiasing, label, offset)

        s.key(clock, 0x1B)
        s.expect_exit(0)


scenario(run)

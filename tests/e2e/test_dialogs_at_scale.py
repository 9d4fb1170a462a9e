"""At 150 % (LogPixels 144) every dialog is one and a half times its size at
100 %, its painted backdrop reaches as far down and one and a half times as
far across, and its painted heading is one and a half times as tall. The same dialogs are opened in a
session at 96 dpi first, and compared with that.

Set HORALUNE_SHOTS to a folder to keep a screenshot of every dialog at both
scales."""
import datetime
import os

from alarm_scenarios import (null_audio, VK_ESCAPE, VK_F4, notification_state, stage_clock,
                             time_key, wait_until)
from harness import Session, check, scenario
from pictures import grab_screen

VK_F2, VK_F5, VK_F11 = 0x71, 0x74, 0x7A
CLOSE, ALARM_CANCEL = 1008, 1021
LEAD_SECONDS = 3600  # on the clock's own time: well after it has started
WHITE = 0xFFFFFF   # the headings are painted in the highlight colour


def heading_rows(picture, scale):
    """Height of the bottom-most group of rows that hold highlight-coloured
    pixels in the left part of the lower third: the painted heading (the
    backdrop never reaches pure white; white edit boxes above it end with a
    grey border and a gap wider than the heading's own)."""
    frame = 4 + int(2 * scale)  # the window's edges hold white lines of their own
    rows = [y for y in range(picture.height * 2 // 3, picture.height - frame)
            if any(picture.pixel(x, y) == WHITE for x in range(4, picture.width * 2 // 5))]
    if not rows:
        return 0
    top = rows[-1]
    for y in reversed(rows[:-1]):
        if top - y > 4 * scale:
            break
        top = y
    return rows[-1] - top + 1


def gradient_end(picture, scale):
    """The last column of the left half, in a row through the middle, whose
    colour is not the row's commonest colour (the dialog's face colour)."""
    y = picture.height // 2 + int(10 * scale)
    row = [picture.pixel(x, y) for x in range(picture.width)]
    face = max(set(row), key=row.count)
    return max((x for x in range(picture.width // 2) if row[x] != face), default=0)


def look(s, hwnd, name, has_heading):
    left, top, right, bottom = s.rect(hwnd)
    wait_until(lambda: s.settled_screenshot(s.path(name)), 10, "no screenshot")
    keep = os.environ.get("HORALUNE_SHOTS")
    picture = grab_screen(s.display, left, top, right - left, bottom - top)
    if keep:
        os.makedirs(keep, exist_ok=True)
        picture.save_png(os.path.join(keep, "%d-%s" % (s.dpi, name)))
    inset = 6 * s.dpi // 96
    return {"size": (right - left, bottom - top),
            # Bottom-left corner: inside the backdrop, below every text.
            "corner": picture.pixel(inset, picture.height - inset),
            "gradient": gradient_end(picture, s.dpi / 96),
            "heading": heading_rows(picture, s.dpi / 96) if has_heading else None}


def open_dialog(s, clock, key):
    before = {w["hwnd"] for w in s.find_windows("#32770") if w["visible"]}
    s.key(clock, key)
    return wait_until(lambda: next((w["hwnd"] for w in s.find_windows("#32770")
                                    if w["visible"] and w["hwnd"] not in before), None),
                      20, "no dialog for key %#x" % key)


def session(dpi):
    seen = {}
    with Session("dialogs_at_scale", dpi=dpi) as s:
        s.fake_clock()
        due = s.now().replace(microsecond=0) + datetime.timedelta(seconds=LEAD_SECONDS)
        skin = stage_clock(s, [{"time": time_key(due), "title": "Scaled", "message": "At scale"}])
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        s.set_clock(due - datetime.timedelta(seconds=2))  # rather than wait for it
        notice = s.wait_window("#32770", "Scaled")
        wait_until(lambda: notification_state(s, notice)[2], 30, "close never enabled")
        seen["notification"] = look(s, notice, "notification.png", False)
        s.click(notice, CLOSE)
        s.wait_gone(notice)
        for key, name, button in ((VK_F2, "intro", CLOSE), (VK_F11, "version", CLOSE),
                                  (VK_F5, "calendar", CLOSE), (VK_F4, "alarm_editor", ALARM_CANCEL)):
            hwnd = open_dialog(s, clock, key)
            seen[name] = look(s, hwnd, name + ".png", True)
            s.click(hwnd, button)
            s.wait_gone(hwnd)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
    return seen


def run():
    null_audio()
    try:
        scaled = session(144)
    finally:
        base = session(96)
    for name, at96 in base.items():
        at144 = scaled[name]
        # The controls are placed in dialog units, which follow the dialog
        # font's average character width: a face's glyphs do not all widen by
        # exactly 1.5 (Wine's stand-in face widens by about 1.55).
        (w96, h96), (w144, h144) = at96["size"], at144["size"]
        check(w96 * 3 / 2 - 4 <= w144 <= w96 * 1.6 + 4 and abs(h144 - h96 * 3 / 2) <= 6,
              "%s: %r at 144 dpi, %r at 96" % (name, at144["size"], at96["size"]))
        check(at144["corner"] == at96["corner"],
              "%s: bottom-left corner %06x at 144 dpi, %06x at 96: the backdrop stops short"
              % (name, at144["corner"], at96["corner"]))
        if at96["gradient"] > 40:  # where the gradient shows in that row at all
            check(abs(at144["gradient"] - at96["gradient"] * 3 / 2) <= 5,
                  "%s: the gradient ends at x %d at 144 dpi, %d at 96"
                  % (name, at144["gradient"], at96["gradient"]))
        if at96["heading"] is not None:
            check(at96["heading"] > 0 and abs(at144["heading"] - at96["heading"] * 3 / 2) <= 3,
                  "%s: heading %d rows tall at 144 dpi, %d at 96"
                  % (name, at144["heading"], at96["heading"]))


scenario(run)

"""At 125, 150 and 200 % (LogPixels 120, 144, 192) no dialog paints
a text under one of its controls: with the controls hidden and the dialog
repainted, no text pixel lies inside any control's rectangle. (The alarm
editor's "Hour", "Min", "Sec" and "Week" once slid under the title box at
150 %: the labels were scaled by the dpi, the controls by the dialog font.)

HORALUNE_DPIS picks other scales ("96 144"). Set HORALUNE_SHOTS to a folder to keep each dialog, with and without its
controls, at every scale."""
import os

from alarm_scenarios import null_audio, VK_ESCAPE, VK_F4, stage_clock, wait_until
from harness import Session, check, scenario
from pictures import grab_screen

VK_F2, VK_F5, VK_F11 = 0x71, 0x74, 0x7A
CLOSE, ALARM_CANCEL = 1008, 1021
DPIS = [int(d) for d in os.environ.get("HORALUNE_DPIS", "120 144 192").split()]
DIALOGS = ((VK_F2, "intro", CLOSE), (VK_F11, "version", CLOSE),
           (VK_F5, "calendar", CLOSE), (VK_F4, "alarm_editor", ALARM_CANCEL))


def is_text(colour):
    """Texts are painted black or in the highlight white; the backdrops are
    light and never pure white."""
    r, g, b = colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF
    return colour == 0xFFFFFF or max(r, g, b) < 128


def open_dialog(s, clock, key):
    before = {w["hwnd"] for w in s.find_windows("#32770") if w["visible"]}
    s.key(clock, key)
    return wait_until(lambda: next((w["hwnd"] for w in s.find_windows("#32770")
                                    if w["visible"] and w["hwnd"] not in before), None),
                      20, "no dialog for key %#x" % key)


def covered_text(s, hwnd, name):
    """{control id: text pixels inside it} for the dialog's controls."""
    left, top, right, bottom = s.rect(hwnd)
    keep = os.environ.get("HORALUNE_SHOTS")
    if keep:
        os.makedirs(keep, exist_ok=True)
        wait_until(lambda: s.settled_screenshot(s.path(name + ".png")), 10, "no screenshot")
        grab_screen(s.display, left, top, right - left, bottom - top).save_png(
            os.path.join(keep, "%d-%s.png" % (s.dpi, name)))
    _, lines = s.probe("controls", hwnd)
    controls = [(int(l[1]), [int(v) for v in l[2:6]]) for l in lines if l[0] == "control"]
    check(controls, "%s: no controls listed" % name)
    # Twice: the repaint asked for with the first may run before the hiding
    # has reached the dialog (seen under Wine), and so leave it blank.
    for _ in range(2):
        rc, _ = s.probe("hidecontrols", hwnd)
        check(rc == 0, "%s: controls not hidden" % name)
        wait_until(lambda: s.settled_screenshot(s.path(name + "-bare.png")), 10, "no screenshot")
    picture = grab_screen(s.display, left, top, right - left, bottom - top)
    if keep:
        picture.save_png(os.path.join(keep, "%d-%s-bare.png" % (s.dpi, name)))
    covered = {}
    for ident, (l, t, r, b) in controls:
        # One pixel in from the edge: a text may end where a control begins.
        inside = sum(1 for y in range(t + 1 - top, b - 1 - top) for x in range(l + 1 - left, r - 1 - left)
                     if is_text(picture.pixel(x, y)))
        if inside:
            covered[ident] = inside
    return covered


def session(dpi):
    found = {}
    with Session("painted_labels_at_scale", dpi=dpi) as s:
        skin = stage_clock(s, [])
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        for key, name, button in DIALOGS:
            hwnd = open_dialog(s, clock, key)
            found[name] = covered_text(s, hwnd, name)
            s.command(hwnd, button)  # the button itself is hidden
            s.wait_gone(hwnd)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
    return found


def run():
    null_audio()
    # At 96 dpi the texts are painted at their layout pixels, as ever.
    results = {dpi: session(dpi) for dpi in DPIS}
    for dpi, found in sorted(results.items()):
        for name, covered in found.items():
            check(not covered, "%d dpi, %s: text pixels under controls %r" % (dpi, name, covered))


scenario(run)

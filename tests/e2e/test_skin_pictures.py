"""The bundled skin: the window takes the round outline of its body (the desktop
shows through the cut-out corners, the bezel shows inside). A skin whose hour
hand bitmap is malformed is refused with the hands' message."""
import os
import shutil

from harness import SOURCE, Session, bmp24, check, ini_text, scenario


def grey_enough(colour):
    r, g, b = (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF
    return min(r, g, b) >= 0x80 and max(r, g, b) - min(r, g, b) < 0x40


def bundled_skin_outline():
    with Session("bundled_skin") as s:
        s.write_config({"DataDir": "non"})
        shutil.copytree(os.path.join(SOURCE, "skins", "standard"), s.path("standard"))
        s.start(s.win(s.path("standard", "Standard.HRL")))
        clock = s.wait_window("Horalune", "Horalune")
        left, top, right, bottom = s.rect(clock)
        width = right - left
        check((width, bottom - top) == (241, 241), "window %r" % ((left, top, right, bottom),))
        check(left >= 20 and top >= 20, "the skin's position keeps room beside it: %r" % ((left, top),))
        desktop = s.pixel(left - 10, top - 10)
        for x, y in ((1, 1), (width - 2, 1), (1, width - 2), (width - 2, width - 2)):
            seen = s.pixel(left + x, top + y)
            check(seen == desktop, "corner (%d, %d) shows %06X, desktop %06X" % (x, y, seen, desktop))
        check(desktop != 0xFF00FF, "the key colour reached the screen")
        # The bezel at the top and at the left: silver, not the desktop.
        for x, y in ((width // 2, 8), (8, width // 2)):
            seen = s.pixel(left + x, top + y)
            check(grey_enough(seen), "bezel at (%d, %d) shows %06X" % (x, y, seen))
        s.key(clock, 0x1B)
        s.expect_exit(0)


def broken_hand_bitmap():
    with Session("broken_hand") as s:
        s.write_config({"DataDir": "non"})
        s.write("skin/body.bmp", bmp24(60, 60, lambda x, y: 0x305070))
        s.write("skin/hour.bmp", b"BM" + b"\x00" * 12 + b"not a bitmap header")
        skin = s.write("skin/clock.HRL", ini_text([
            ("Initialize", [("Title", "壊れた針"), ("TransparentColor", "non")]),
            ("Body", [("Graph", "body.bmp")]),
            ("HourHand", [("Graph", "hour.bmp"), ("AxisX", 3), ("AxisY", 25)]),
        ]))
        s.start(s.win(skin))
        box = s.message_box()
        check(box["text"] == "指針用CGの読み込みに失敗しました", "text %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.wait_exit()
        check(not s.find_windows("Horalune", "Horalune"), "clock window left behind")


def run():
    bundled_skin_outline()
    broken_hand_bitmap()


scenario(run)

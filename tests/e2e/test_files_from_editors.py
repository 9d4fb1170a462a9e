"""Files saved by today's editors: a skin in UTF-8 with a byte-order mark and
LF line ends is read, and Esc writes the display options into it in its own
encoding and line ends, every other line kept byte for byte; so is a skin in
UTF-16 BE; an Anniv.DAT in UTF-8 with LF line ends lists like its CP932 twin."""
import datetime

from harness import Session, bmp24, check, scenario

VK_F5 = 0x74
VK_ESCAPE = 0x1B
EVENTS_EDIT = 1018
OK_BUTTON = 1008
BOM = b"\xef\xbb\xbf"


def utf8_lf(*lines):
    return ("\n".join(lines) + "\n").encode("utf-8")


def write_utf8_skin(s):
    s.write("skin/body.bmp", bmp24(120, 80, lambda x, y: 0x3060C0))
    original = BOM + utf8_lf("; 作者：José Müller（UTF-8 で保存）",
                             "[Initialize]",
                             "Title=ほらるね時計",
                             "TransparentColor=non",
                             "Topmost=0",
                             "[Body]",
                             "Graph=body.bmp")
    return s.write("skin/clock.HRL", original), original


def esc_keeps_the_skins_encoding():
    with Session("editors_skin") as s:
        s.write_config({"DataDir": "non"})
        skin, original = write_utf8_skin(s)
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        r = s.rect(clock)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        with open(skin, "rb") as f:
            after = f.read()
        check(after.startswith(BOM), "byte-order mark lost: %r" % after[:8])
        check(b"\r" not in after, "CR written into an LF file: %r" % after)
        lines = after[len(BOM):].decode("utf-8").split("\n")
        check(lines[0] == "; 作者：José Müller（UTF-8 で保存）", "comment changed: %r" % lines[0])
        check("Title=ほらるね時計" in lines, "title changed: %r" % lines)
        check("Topmost=1" not in lines and "Topmost=0" in lines, "Topmost %r" % lines)
        check("PosX=%d" % r[0] in lines and "PosY=%d" % r[1] in lines,
              "position not written: %r, window %r" % (lines, r))
        check(lines.index("PosX=%d" % r[0]) < lines.index("[Body]"), "keys outside their section")


def esc_keeps_a_utf16_be_skin():
    with Session("editors_skin_be") as s:
        s.write_config({"DataDir": "non"})
        s.write("skin/body.bmp", bmp24(120, 80, lambda x, y: 0xC06030))
        text = "; 江戸の時計（UTF-16 BE）\r\n[Initialize]\r\nTitle=江戸\r\nTransparentColor=non\r\n" \
               "[Body]\r\nGraph=body.bmp\r\n"
        skin = s.write("skin/edo.HRL", b"\xfe\xff" + text.encode("utf-16-be"))
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        r = s.rect(clock)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        with open(skin, "rb") as f:
            after = f.read()
        check(after.startswith(b"\xfe\xff"), "byte-order mark lost: %r" % after[:8])
        lines = after[2:].decode("utf-16-be").split("\r\n")
        check(lines[0] == "; 江戸の時計（UTF-16 BE）", "comment changed: %r" % lines[0])
        check("PosX=%d" % r[0] in lines and "PosY=%d" % r[1] in lines,
              "position not written in UTF-16 BE: %r, window %r" % (lines, r))
        check(lines.index("PosX=%d" % r[0]) < lines.index("[Body]"), "keys outside their section")


def anniversaries_in_utf8_lf():
    today = datetime.date.today()
    mmdd = "%02d%02d" % (today.month, today.day)
    with Session("editors_calendar") as s:
        # Holidays=0: the file's lines alone, whatever day the run falls on.
        s.write_config({"DataDir": "non", "Holidays": "0"})
        s.write("Anniv.DAT", utf8_lf("; UTF-8, LF", mmdd + " ほらるねの記念日", mmdd + " 二つ目"))
        skin = s.write_skin("skin", body=(120, 80))
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        s.key(clock, VK_F5)
        dialog = s.dialog(timeout=20)
        shown = s.text(dialog["hwnd"], EVENTS_EDIT)
        if datetime.date.today() == today:
            check(shown == "・ほらるねの記念日\r\n・二つ目\r\n", "events %r" % shown)
        s.click(dialog["hwnd"], OK_BUTTON)
        s.wait_gone(dialog["hwnd"])
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)


def run():
    esc_keeps_the_skins_encoding()
    esc_keeps_a_utf16_be_skin()
    anniversaries_in_utf8_lf()


scenario(run)

"""The program in a folder whose name code page 932 cannot hold ("José 𠮷 時計"),
under English (1252), Korean (949) and Japanese (932) Windows: it starts with
no settings-file notice, the bundled skin in a sub-folder with a space (passed
in quotation marks) loads, the alarm editor saves a Japanese alarm beside the
one already in Horalune.DAT, both byte for byte in code page 932, the calendar
lists a UTF-8 LF Anniv.DAT, the Japanese alarm from Horalune.DAT fires with its
exact text, Esc writes the display options into the skin, and a restart loads
both alarms as they were."""
import datetime
import os
import shutil
import struct
import subprocess

from alarm_scenarios import (VK_ESCAPE, VK_F4, alarm_keys, notification_state, null_audio,
                             time_key, wait_until)
from harness import SOURCE, Session, check, ini_text, scenario

FOLDER = "José 𠮷 時計"
LOCALES = ["en_US.UTF-8", "ko_KR.UTF-8", "ja_JP.UTF-8"]
TITLE, MESSAGE, ADD, OK, CANCEL, NEXT = 1026, 1028, 1024, 1027, 1021, 1023
VK_F5 = 0x74
EVENTS_EDIT, CALENDAR_OK = 1018, 1008
LEAD_SECONDS = 30  # start, the editor and the calendar come first; then the
                   # program's clock is stepped to just before the alarm


def body_size(skin_folder):
    with open(os.path.join(skin_folder, "body.bmp"), "rb") as f:
        header = f.read(26)
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


def stage(s, kept):
    """The program, its settings, a UTF-8 LF Anniv.DAT and the bundled skin
    inside FOLDER."""
    home = s.path(FOLDER)
    skins = os.path.join(home, "my skins")
    shutil.copytree(os.path.join(SOURCE, "skins", "standard"), skins)
    shutil.copy(s.path("Horalune.exe"), os.path.join(home, "Horalune.exe"))
    with open(os.path.join(home, "Horalune.DAT"), "wb") as f:
        f.write(ini_text([("Default", [("DataDir", "non"), ("Holidays", "0")]), ("Alarm", alarm_keys([kept]))]))
    today = datetime.date.today()
    with open(os.path.join(home, "Anniv.DAT"), "wb") as f:
        f.write("%02d%02d ほらるねの記念日\n".encode("utf-8") % (today.month, today.day))
    return home, skins


def start(s, home, skin):
    # Wine quotes the argument, as Explorer does a dropped path with a space.
    s.program = subprocess.Popen(["wine", os.path.join(home, "Horalune.exe"), s.win(skin)],
                                 cwd=home, env=s.env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)


def settings_bytes(home):
    try:
        with open(os.path.join(home, "Horalune.DAT"), "rb") as f:
            return f.read()
    except FileNotFoundError:
        return b""  # caught while the new file is being swapped in


def without_last_checked(data):
    return b"".join(line for line in data.splitlines(True) if not line.startswith(b"LastChecked="))


def wait_settled(s, clock, skins, locale):
    """The window at the body's size, with no message box on the way."""
    size = body_size(skins)

    def settled():
        boxes = [w for w in s.find_windows("#32770", "ほらるね") if w["visible"]]
        check(not boxes, "%s: message %r" % (locale, boxes and s.message_box(2)["text"]))
        r = s.rect(clock)
        return r if (r[2] - r[0], r[3] - r[1]) == size else None
    return wait_until(settled, 20, "%s: the window never took the body's size %r" % (locale, size))


def one_locale(locale):
    os.environ["LANG"] = os.environ["LC_ALL"] = locale
    with Session("unicode_" + locale.split(".")[0]) as s:
        s.fake_clock()
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=LEAD_SECONDS)
        kept = {"time": time_key(due), "title": "朝の体操", "message": "表示ソフト"}
        home, skins = stage(s, kept)
        skin = os.path.join(skins, "Standard.HRL")
        start(s, home, skin)
        clock = s.wait_window("Horalune", "Horalune")
        r = wait_settled(s, clock, skins, locale)

        s.key(clock, VK_F4)
        editor = s.dialog(timeout=20)["hwnd"]
        s.click(editor, ADD)
        s.probe("settext", editor, TITLE, "目覚まし時計")
        s.probe("settext", editor, MESSAGE, "ソ表の予定です")
        s.click(editor, OK)
        s.wait_gone(editor)
        saved = wait_until(lambda: b"Title01=" in settings_bytes(home) and settings_bytes(home),
                           10, "%s: the new alarm was not saved" % locale)
        for line in ("Title00=朝の体操", "Message00=表示ソフト", "Time00=" + kept["time"],
                     "Title01=目覚まし時計", "Message01=ソ表の予定です"):
            check(line.encode("cp932") + b"\r\n" in saved,
                  "%s: %s not in %r" % (locale, line, saved))

        s.key(clock, VK_F5)
        calendar = s.dialog(timeout=20)["hwnd"]
        shown = s.text(calendar, EVENTS_EDIT)
        check(shown == "・ほらるねの記念日\r\n" or datetime.date.today() != due.date(),
              "%s: events %r" % (locale, shown))
        s.click(calendar, CALENDAR_OK)
        s.wait_gone(calendar)

        check(s.now() < due - datetime.timedelta(seconds=2),
              "%s: too slow to see the alarm fire" % locale)
        s.set_clock(due - datetime.timedelta(seconds=2))
        fired = s.wait_window("#32770", "朝の体操", timeout=20)
        caption, text, _ = notification_state(s, fired)
        expected = "%02d:%02d:%02d \r\n表示ソフト" % (due.hour, due.minute, due.second)
        check(caption == "朝の体操" and text == expected,
              "%s: notification %r %r, expected %r" % (locale, caption, text, expected))

        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        with open(skin, "rb") as f:
            written = f.read().decode("cp932")
        check("PosX=%d\r\n" % r[0] in written and "PosY=%d\r\n" % r[1] in written,
              "%s: position not written, window %r" % (locale, r))

        # A restart reads both alarms back as they were written.
        start(s, home, skin)
        clock = s.wait_window("Horalune", "Horalune")
        wait_settled(s, clock, skins, locale)
        s.key(clock, VK_F4)
        editor = s.dialog(timeout=20)["hwnd"]
        first = (s.text(editor, TITLE), s.text(editor, MESSAGE))
        s.click(editor, NEXT)
        second = (s.text(editor, TITLE), s.text(editor, MESSAGE))
        check(first == ("朝の体操", "表示ソフト") and second == ("目覚まし時計", "ソ表の予定です"),
              "%s: after a restart %r %r" % (locale, first, second))
        s.click(editor, CANCEL)
        s.wait_gone(editor)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        # Every save writes the last second the clock looked at; nothing else changes.
        check(without_last_checked(settings_bytes(home)) == without_last_checked(saved),
              "%s: Horalune.DAT changed by a restart" % locale)


def run():
    null_audio()
    for locale in LOCALES:
        one_locale(locale)


scenario(run)

"""The program in a folder whose name code page 932 cannot hold ("José 𠮷 時計"),
under English (1252), Korean (949) and Japanese (932) Windows: it starts with
no settings-file notice, the bundled skin in a sub-folder with a space (passed
in quotation marks) loads, the alarm editor saves a Japanese alarm beside the
one already in Horalune.DAT, both byte for byte in code page 932, and Esc
writes the display options into the skin."""
import os
import shutil
import struct
import subprocess

from alarm_scenarios import VK_ESCAPE, VK_F4, alarm_keys, null_audio, wait_until
from harness import SOURCE, Session, check, ini_text, scenario

FOLDER = "José 𠮷 時計"
LOCALES = ["en_US.UTF-8", "ko_KR.UTF-8", "ja_JP.UTF-8"]
TITLE, MESSAGE, ADD, OK = 1026, 1028, 1024, 1027
KEPT = {"switch": "off", "time": "Mon063000", "title": "朝の体操", "message": "表示ソフト"}


def body_size(skin_folder):
    with open(os.path.join(skin_folder, "body.bmp"), "rb") as f:
        header = f.read(26)
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


def stage(s):
    """The program, its settings and the bundled skin inside FOLDER."""
    home = s.path(FOLDER)
    skins = os.path.join(home, "my skins")
    shutil.copytree(os.path.join(SOURCE, "skins", "standard"), skins)
    shutil.copy(s.path("Horalune.exe"), os.path.join(home, "Horalune.exe"))
    with open(os.path.join(home, "Horalune.DAT"), "wb") as f:
        f.write(ini_text([("Default", [("DataDir", "non")]), ("Alarm", alarm_keys([KEPT]))]))
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


def one_locale(locale):
    os.environ["LANG"] = os.environ["LC_ALL"] = locale
    with Session("unicode_" + locale.split(".")[0]) as s:
        home, skins = stage(s)
        skin = os.path.join(skins, "Standard.HRL")
        start(s, home, skin)
        clock = s.wait_window("Horalune", "Horalune")
        # A message at start-up (the settings file "missing", the skin refused)
        # holds the window at its first size.
        size = body_size(skins)

        def settled():
            boxes = [w for w in s.find_windows("#32770", "ほらるね") if w["visible"]]
            check(not boxes, "%s: message %r" % (locale, boxes and s.message_box(2)["text"]))
            r = s.rect(clock)
            return r if (r[2] - r[0], r[3] - r[1]) == size else None
        r = wait_until(settled, 20, "%s: the window never took the body's size %r" % (locale, size))

        s.key(clock, VK_F4)
        editor = s.dialog(timeout=20)["hwnd"]
        s.click(editor, ADD)
        s.probe("settext", editor, TITLE, "目覚まし時計")
        s.probe("settext", editor, MESSAGE, "ソ表の予定です")
        s.click(editor, OK)
        s.wait_gone(editor)
        saved = wait_until(lambda: b"Title01=" in settings_bytes(home) and settings_bytes(home),
                           10, "%s: the new alarm was not saved" % locale)
        for line in ("Title00=朝の体操", "Message00=表示ソフト", "Time00=Mon063000",
                     "Title01=目覚まし時計", "Message01=ソ表の予定です"):
            check(line.encode("cp932") + b"\r\n" in saved,
                  "%s: %s not in %r" % (locale, line, saved))

        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        with open(skin, "rb") as f:
            written = f.read().decode("cp932")
        check("PosX=%d\r\n" % r[0] in written and "PosY=%d\r\n" % r[1] in written,
              "%s: position not written, window %r" % (locale, r))


def run():
    null_audio()
    for locale in LOCALES:
        one_locale(locale)


scenario(run)

"""A new user's first start from the release zip: unpack it into an empty
folder, start Horalune.exe with nothing else there, read the notice about the
missing settings file, pick the bundled skin in the skin dialog, and get the
clock at the skin's size. Esc ends it: Horalune.DAT now exists beside the
program (with no alarms), and the skin file has the clock's position."""
import glob
import os
import struct
import subprocess
import zipfile

from harness import BUILD, SOURCE, Session, check, ini_keys, scenario

NOTICE = ("設定用ファイル[Horalune.DAT]がありません.\n標準設定で開始します.\n\n"
          "終了時にルートフォルダに作成します.")
FOLDER_LABEL = 0x471   # the open-file dialog's current folder
FILE_NAME_BOX = 0x47C  # the open-file dialog's file name box
OPEN = 1


def make_zip(s):
    out = s.path("dist")
    subprocess.run(["bash", os.path.join(SOURCE, "scripts", "make-dist.sh")], check=True,
                   env=dict(os.environ, HORALUNE_BUILD=BUILD, HORALUNE_DIST=out),
                   stdout=subprocess.DEVNULL)
    zips = glob.glob(os.path.join(out, "Horalune-*-win64.zip"))
    check(len(zips) == 1, "zips made: %r" % zips)
    return zips[0]


def body_size(path):
    with open(path, "rb") as f:
        header = f.read(26)
    width, height = struct.unpack_from("<ii", header, 18)
    return width, abs(height)


def run():
    with Session("first_start") as s:
        archive = make_zip(s)
        home = s.path("user")
        os.makedirs(home)
        with zipfile.ZipFile(archive) as z:
            names = z.namelist()
            z.extractall(home)
        top = os.path.splitext(os.path.basename(archive))[0]
        check(all(n.startswith(top + "/") for n in names), "one folder in the zip: %r" % names[:5])
        folder = os.path.join(home, top)
        for wanted in ("Horalune.exe", "Anniv.DAT", "Horalune-help.html", "README.txt",
                       "horalune-days.exe", "horalune-frame.exe",
                       os.path.join("standard", "Standard.HRL")):
            check(os.path.isfile(os.path.join(folder, wanted)), "%s missing from the zip" % wanted)
        # The way README.txt tells a user to check an anniversary file.
        days = subprocess.run(["wine", "horalune-days.exe", "2027", "Anniv.DAT"], cwd=folder,
                              env=s.env, capture_output=True, timeout=120)
        listed = days.stdout.decode("utf-8").splitlines()
        check(days.returncode == 0 and listed and listed[0].startswith("2027-01-01\t元日"),
              "horalune-days from the zip: %r %r" % (days.returncode, listed[:1]))
        check(not os.path.exists(os.path.join(folder, "Horalune.DAT")), "the zip holds Horalune.DAT")
        with open(os.path.join(folder, "README.txt"), "rb") as f:
            check(f.read(3) == b"\xef\xbb\xbf", "README.txt has no byte-order mark")

        s.program = subprocess.Popen(["wine", os.path.join(folder, "Horalune.exe")], cwd=folder,
                                     env=s.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        box = s.message_box()
        check(box["text"] == NOTICE, "text %r" % box["text"])
        s.click(box["hwnd"], "OK")

        # The dialog opens in the program folder; the skin folder is right there.
        chooser = s.dialog("ファイルを選んで下さい")
        shown = s.text(chooser["hwnd"], FOLDER_LABEL)
        check(shown == top, "dialog opened in %r" % shown)
        s.set_text(chooser["hwnd"], FILE_NAME_BOX, "standard\\Standard.HRL")
        s.click(chooser["hwnd"], OPEN)
        s.wait_gone(chooser["hwnd"])

        clock = s.wait_window("Horalune", "Horalune")
        width, height = body_size(os.path.join(folder, "standard", "body.bmp"))
        left, top_edge, right, bottom = s.rect(clock)
        check((right - left, bottom - top_edge) == (width, height),
              "clock %r, body %dx%d" % ((left, top_edge, right, bottom), width, height))

        s.key(clock, 0x1B)
        s.expect_exit(0)
        config = os.path.join(folder, "Horalune.DAT")
        check(os.path.isfile(config), "no Horalune.DAT after Esc")
        check(dict(ini_keys(config, "Alarm")) == {}, "a first start wrote alarms")
        written = dict(ini_keys(os.path.join(folder, "standard", "Standard.HRL"), "Initialize"))
        check((written.get("PosX"), written.get("PosY")) == (str(left), str(top_edge)),
              "position written back %r" % ((written.get("PosX"), written.get("PosY")),))


scenario(run)

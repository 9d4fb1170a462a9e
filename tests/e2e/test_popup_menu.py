"""The popup menu as a user drives it: right-click the clock, walk the menu
with the keyboard, and find the chosen commands in what the clock shows and
saves (the items themselves are checked in-process by the unit tests)."""
import os
import shutil
import subprocess

from harness import SOURCE, Session, check, ini_keys, scenario, wait_until


def xdotool(s, *args):
    subprocess.run(["xdotool"] + list(args), env=dict(s.env), check=True)


def open_menu(s, clock):
    left, top, right, bottom = s.rect(clock)
    xdotool(s, "mousemove", str((left + right) // 2), str(top + 30), "click", "3")
    menu = s.wait_window("#32768", "-", timeout=10)
    return menu


def choose(s, clock, keys, shot=None):
    menu = open_menu(s, clock)
    if shot:
        s.settled_screenshot(shot)
    xdotool(s, "key", *keys)
    s.wait_gone(menu, timeout=10)


def run():
    with Session("popup_menu") as s:
        s.write_config({"DataDir": "non"})
        skin_dir = s.path("standard")
        shutil.copytree(os.path.join(SOURCE, "skins", "standard"), skin_dir)
        skin = os.path.join(skin_dir, "Standard.HRL")
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        shots = os.environ.get("HORALUNE_SHOTS")
        # Work introduction, Message, (separator), Antialiasing: flips it off.
        choose(s, clock, ["Down", "Down", "Down", "Return"],
               os.path.join(shots, "menu.png") if shots else None)
        # The ninth item opens the effects; the fourth of them is Grayscale.
        choose(s, clock, ["Down"] * 9 + ["Right", "Down", "Down", "Down", "Return"],
               None)
        left, top, right, bottom = s.rect(clock)

        def grey():
            colour = s.pixel((left + right) // 2, (top + bottom) // 2 + 40)
            return (colour >> 16) == ((colour >> 8) & 0xFF) == (colour & 0xFF)
        wait_until(grey, 10, "the clock is not grey after Grayscale")
        if shots:
            s.screenshot(os.path.join(shots, "grayscale.png"))
        # Choosing nothing changes nothing.
        choose(s, clock, ["Escape"])
        s.key(clock, 0x1B)
        s.expect_exit(0)
        keys = dict(ini_keys(skin, "Initialize"))
        check(keys.get("AntiAliasing") == "0", "AntiAliasing %r" % keys.get("AntiAliasing"))
        check(keys.get("Effect") == "3", "Effect %r" % keys.get("Effect"))


scenario(run)

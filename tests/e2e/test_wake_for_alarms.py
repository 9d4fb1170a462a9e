""""Wake the PC for alarms" as a user chooses it from the popup menu: off at
first, kept in Horalune.DAT at once, and still on after a restart (choosing it
again then turns it off). Whether the computer wakes cannot be seen under
Wine: the unit tests check the timer's moments."""
import os
import shutil
import subprocess

from harness import SOURCE, Session, check, ini_keys, scenario, wait_until

# Work introduction, Message, Antialiasing, Topmost Window, Alarm, Calendar,
# then this item (separators are skipped by the keys).
WAKE_ITEM = ["Down"] * 7


def choose(s, clock, keys, shot=None):
    left, top, right, bottom = s.rect(clock)
    subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str(top + 30),
                    "click", "3"], env=dict(s.env), check=True)
    menu = s.wait_window("#32768", "-", timeout=10)
    subprocess.run(["xdotool", "key"] + keys[:-1], env=dict(s.env), check=True)
    if shot:
        s.settled_screenshot(shot)
    subprocess.run(["xdotool", "key", keys[-1]], env=dict(s.env), check=True)
    s.wait_gone(menu, timeout=10)


def wake_key(s):
    return dict(ini_keys(s.path("Horalune.DAT"), "Default")).get("WakeForAlarms")


def run():
    with Session("wake_for_alarms") as s:
        s.write_config({"DataDir": "non"})
        skin_dir = s.path("standard")
        shutil.copytree(os.path.join(SOURCE, "skins", "standard"), skin_dir)
        skin = os.path.join(skin_dir, "Standard.HRL")
        shots = os.environ.get("HORALUNE_SHOTS")
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        check(wake_key(s) is None, "WakeForAlarms written before it was chosen")
        choose(s, clock, WAKE_ITEM + ["Return"])
        wait_until(lambda: wake_key(s) == "1", 10, "WakeForAlarms=1 not saved at once")
        s.key(clock, 0x1B)
        s.expect_exit(0)
        check(wake_key(s) == "1", "WakeForAlarms %r after exit" % wake_key(s))

        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        # The check mark is back (seen in the screenshot); choosing the item
        # again turns it off, which only a restored "on" can do.
        choose(s, clock, WAKE_ITEM + ["Return"],
               os.path.join(shots, "wake-menu.png") if shots else None)
        wait_until(lambda: wake_key(s) == "0", 10, "WakeForAlarms not turned off")
        s.key(clock, 0x1B)
        s.expect_exit(0)
        check(wake_key(s) == "0", "WakeForAlarms %r after exit" % wake_key(s))


scenario(run)

"""Clocks started from one folder share Horalune.DAT, and the first one owns its
alarms: an alarm due shows one window, not one per clock; F4 in another clock
says who manages them, while the owner's editor works; a clock that does not
own the alarms leaves the file alone when it exits; once the owner has gone,
a remaining clock reads the file afresh and rings what the owner added."""
import datetime
import subprocess

from alarm_scenarios import (null_audio, VK_ESCAPE, VK_F4, ini_keys, notification_state,
                             notifications, stage_clock, time_key, wait_until)
from harness import Session, check, scenario

LEAD_SECONDS = 3600   # on the clocks' own time: three clocks start well within this
LATER_SECONDS = 3600  # the added alarm: after both exits below
TITLE, HOUR, MINUTE, SECOND, WEEKDAY, MESSAGE = 1026, 1033, 1035, 1036, 1032, 1028
SWITCH, ADD, OK, CLOSE = 1034, 1024, 1027, 1008
REFUSAL = "アラームは他の時計が管理しています."


def launch(s, skin):
    """Starts one more clock: (its process, its window)."""
    before = {w["hwnd"] for w in s.find_windows("Horalune", "Horalune")}
    s.start(s.win(skin))
    fresh = lambda: [w["hwnd"] for w in s.find_windows("Horalune", "Horalune")
                     if w["visible"] and w["hwnd"] not in before]
    return s.program, wait_until(fresh, 30, "the clock window did not show")[0]


def quit_clock(s, clock):
    process, window = clock
    s.key(window, VK_ESCAPE)
    try:
        process.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise AssertionError("a clock did not end")
    check(process.returncode == 0, "a clock ended with %r" % process.returncode)


def titles(s):
    return {k: v for k, v in ini_keys(s.path("Horalune.DAT"), "Alarm") if k.startswith("Title")}


def close_notification(s, window):
    wait_until(lambda: notification_state(s, window)[2], 20, "close never enabled")
    s.click(window, CLOSE)
    s.wait_gone(window)


def run():
    null_audio()
    with Session("alarm_one_owner") as s:
        s.fake_clock()
        due = s.now().replace(microsecond=0) + datetime.timedelta(seconds=LEAD_SECONDS)
        skin = stage_clock(s, [{"time": time_key(due), "title": "Shared", "message": "once"}],
                           voice_seconds=1.0)
        first = launch(s, skin)
        second = launch(s, skin)
        third = launch(s, skin)
        check(not notifications(s), "a notification before the alarm's time")
        s.set_clock(due - datetime.timedelta(seconds=2))  # rather than wait for it

        # One window for the alarm's second, whichever clock shows it.
        shared = s.wait_window("#32770", "Shared", timeout=20)
        wait_until(lambda: s.now() >= due + datetime.timedelta(seconds=2), 10,
                   "the alarm's second never passed")
        check(len(notifications(s, "Shared")) == 1,
              "%d windows for one alarm" % len(notifications(s, "Shared")))
        close_notification(s, shared)

        s.key(second[1], VK_F4)
        box = s.message_box()
        check(box["text"] == REFUSAL, "F4 in another clock: %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.wait_gone(box["hwnd"])

        s.key(first[1], VK_F4)
        editor = s.dialog()["hwnd"]
        s.click(editor, ADD)
        later = s.now().replace(microsecond=0) + datetime.timedelta(seconds=LATER_SECONDS)
        s.probe("settext", editor, TITLE, "Later")
        s.probe("settext", editor, MESSAGE, "taken over")
        for ident, value in ((HOUR, later.hour), (MINUTE, later.minute),
                             (SECOND, later.second), (WEEKDAY, 0)):
            s.probe("select", editor, ident, value)
        s.click(editor, SWITCH)
        s.click(editor, OK)
        s.wait_gone(editor)
        wait_until(lambda: titles(s).get("Title01") == "Later", 10,
                   "ok did not write the file: %r" % titles(s))

        # The clocks that do not own the alarms hold the old list: exiting,
        # they must not write it back.
        quit_clock(s, second)
        check(titles(s) == {"Title00": "Shared", "Title01": "Later"},
              "after the second clock's exit: %r" % titles(s))
        quit_clock(s, first)
        check(titles(s) == {"Title00": "Shared", "Title01": "Later"},
              "after the owner's exit: %r" % titles(s))

        # The third clock, started before "Later" existed, takes over.
        check(not notifications(s, "Later"), "the added alarm rang before its time")
        s.set_clock(later - datetime.timedelta(seconds=2))
        window = s.wait_window("#32770", "Later", timeout=20)
        _, text, _ = notification_state(s, window)
        check(text.endswith("\r\ntaken over"), "text %r" % text)
        close_notification(s, window)
        quit_clock(s, third)
        check(titles(s) == {"Title00": "Shared", "Title01": "Later"},
              "after the last exit: %r" % titles(s))


scenario(run)

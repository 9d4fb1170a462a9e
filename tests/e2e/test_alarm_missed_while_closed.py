"""An alarm that falls due while the clock is closed: the first start ever
lists nothing (an alarm already past stays quiet); the start after the exit
lists the alarm that went by in one window, "時計を閉じている間に過ぎたアラーム",
with its day, time and title, silently (its "close" usable at once, no
"snooze"); the start after that lists nothing again."""
import datetime
import time

from alarm_scenarios import (null_audio, VK_ESCAPE, NOTIFY_CLOSE, keep_shot, notification_state,
                             notifications, stage_clock, time_key)
from harness import Session, check, ini_keys, scenario

MISSED_TITLE = "時計を閉じている間に過ぎたアラーム"
SNOOZE = 1041


def button_visible(s, hwnd, ident):
    _, lines = s.probe("dialog", 2000, s.text(hwnd))
    for l in lines[1:]:
        if l[0] == "button" and int(l[1]) == ident:
            return True
    return False


def start_and_settle(s, skin):
    s.start(s.win(skin))
    clock = s.wait_window("Horalune", "Horalune")
    time.sleep(2)  # a few ticks: whatever the start shows is open by now
    return clock


def exit_clock(s, clock):
    s.key(clock, VK_ESCAPE)
    s.expect_exit(0)


def run():
    null_audio()
    with Session("alarm_missed_while_closed") as s:
        s.fake_clock()
        now = s.now().replace(microsecond=0)
        past = now - datetime.timedelta(seconds=30)
        due = now + datetime.timedelta(seconds=60)
        alarms = [{"time": time_key(past), "title": "Earlier", "message": "before any start"},
                  {"time": time_key(due), "title": "Meeting", "message": "while closed"}]
        skin = stage_clock(s, alarms, voice_seconds=10.0)
        config = s.path("Horalune.DAT")

        # The first start ever: no last second written, nothing listed.
        clock = start_and_settle(s, skin)
        check(not notifications(s), "the first start showed %r" % notifications(s))
        exit_clock(s, clock)
        check(dict(ini_keys(config, "Default")).get("LastChecked"), "no LastChecked at exit")

        # Closed across the alarm: the clock goes two minutes past it.
        s.set_clock(due + datetime.timedelta(seconds=120))
        clock = start_and_settle(s, skin)
        shown = notifications(s)
        check(len(shown) == 1, "windows after the restart: %r" % shown)
        caption, text, enabled = notification_state(s, shown[0]["hwnd"])
        check(caption == MISSED_TITLE, "caption %r" % caption)
        expected = "%02d-%02d %02d:%02d:%02d Meeting" % (due.month, due.day, due.hour, due.minute,
                                                         due.second)
        check(text == expected, "text %r, expected %r" % (text, expected))
        check(enabled is True, "close waits: the missed alarms made a sound")
        check(not button_visible(s, shown[0]["hwnd"], SNOOZE), "a summary offers snooze")
        keep_shot(s, "alarm_missed_while_closed.png")
        # Shown, so the second looked at is on disk already.
        written = dict(ini_keys(config, "Default")).get("LastChecked", "")
        check(written >= (due + datetime.timedelta(seconds=120)).strftime("%Y-%m-%d %H:%M:%S"),
              "LastChecked when the window opened: %r" % written)
        s.click(shown[0]["hwnd"], NOTIFY_CLOSE)
        s.wait_gone(shown[0]["hwnd"])
        exit_clock(s, clock)

        # Listed once: the next start has nothing to list.
        clock = start_and_settle(s, skin)
        check(not notifications(s), "listed again: %r" % notifications(s))
        exit_clock(s, clock)


scenario(run)

"""Snooze with SnoozeMinutes=1: the ringing notification offers "スヌーズ"
beside "close" once its chime has played; snoozing closes it and keeps the
notice in Horalune.DAT's [Snooze]; the clock is closed and started again
inside the minute; a minute after the snooze the same notice rings again, with
its chime, and leaves the file; it never rings a second time, neither later
nor after another restart."""
import datetime
import time

from alarm_scenarios import (null_audio, alarm_keys, VK_ESCAPE, NOTIFY_CLOSE, keep_shot,
                             notifications, stage_clock, time_key, wait_until)
from harness import Session, check, ini_keys, scenario

SNOOZE = 1041


def buttons(s, hwnd):
    """{button id: enabled} of a notification window, from one look."""
    _, lines = s.probe("dialog", 2000, s.text(hwnd))
    return {int(l[1]): l[3] == "1" for l in lines[1:] if l[0] == "button"}


def run():
    null_audio()
    with Session("alarm_snooze") as s:
        s.fake_clock()
        due = s.now().replace(microsecond=0) + datetime.timedelta(seconds=40)
        alarms = [{"time": time_key(due), "title": "Tea", "message": "kettle"}]
        skin = stage_clock(s, alarms, voice_seconds=16.0)
        config = s.write_config({"DataDir": "non", "SnoozeMinutes": "1"},
                                extra=[("Alarm", alarm_keys(alarms))])

        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        s.set_clock(due - datetime.timedelta(seconds=2))
        window = s.wait_window("#32770", "Tea", timeout=20)
        check(buttons(s, window) == {SNOOZE: False, NOTIFY_CLOSE: False},
              "the buttons work while the chime plays: %r" % buttons(s, window))
        text = s.text(window, 1040)
        expected = "%02d:%02d:%02d \r\nkettle" % (due.hour, due.minute, due.second)
        check(text == expected, "text %r" % text)
        wait_until(lambda: buttons(s, window).get(SNOOZE), 40, "snooze never enabled")
        keep_shot(s, "alarm_snooze_buttons.png")
        snoozed_at = s.now()
        s.click(window, SNOOZE)
        s.wait_gone(window)
        stored = wait_until(lambda: dict(ini_keys(config, "Snooze")), 10, "no [Snooze] section")
        check(stored.get("Title00") == '"Tea"' and stored.get("Message00") == '"kettle"',
              "snooze kept as %r" % stored)
        # Kept in UTC, so that a clock change inside the delay does not move it.
        check(stored["Due00"].endswith(" UTC"), "due %r" % stored["Due00"])
        local_minus_utc = datetime.timedelta(minutes=round(
            (datetime.datetime.now() - datetime.datetime.utcnow()).total_seconds() / 60))
        again = datetime.datetime.strptime(stored["Due00"][:-4], "%Y-%m-%d %H:%M:%S") + local_minus_utc
        check(abs((again - snoozed_at).total_seconds() - 60) <= 3, "due %r" % stored["Due00"])

        # Closed and started again inside the minute.
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        s.set_clock(again - datetime.timedelta(seconds=30))
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        check(not notifications(s), "a window before the delay: %r" % notifications(s))
        s.set_clock(again - datetime.timedelta(seconds=2))
        window = s.wait_window("#32770", "Tea", timeout=20)
        check(buttons(s, window) == {SNOOZE: False, NOTIFY_CLOSE: False},
              "the snoozed notice rang without its chime")
        text = s.text(window, 1040)
        check(text == expected, "snoozed text %r" % text)
        check(dict(ini_keys(config, "Snooze")) == {}, "the rung snooze stays in the file")
        wait_until(lambda: buttons(s, window).get(NOTIFY_CLOSE), 40, "close never enabled")
        s.click(window, NOTIFY_CLOSE)
        s.wait_gone(window)

        # Never twice: not later, not after a restart.
        s.set_clock(again + datetime.timedelta(seconds=90))
        time.sleep(2)
        check(not notifications(s), "rang again: %r" % notifications(s))
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        time.sleep(2)
        check(not notifications(s), "rang again after a restart: %r" % notifications(s))
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)


scenario(run)

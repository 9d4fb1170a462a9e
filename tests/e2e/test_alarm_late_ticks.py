"""The program held up across an alarm's second (a busy machine, a long save):
stopped for 6 s, the alarm shows once right after and rings; stopped for 75 s,
the other alarm shows once, with its own time in the text, without playing its
voice, and its "close" button is usable at once. The program's clock is stepped
over each hold-up while its process is stopped, so nothing waits for it."""
import datetime
import os
import signal
import time

from alarm_scenarios import (close_all_and_exit, null_audio, chime, notification_state,
                             notifications, stage_clock, time_key)
from harness import Session, check, scenario

SECOND = datetime.timedelta(seconds=1)


def hold_up(s, start, end):
    """Stops the program's process at `start` and lets it go at `end` (times on
    its clock): no tick falls in between. The clock steps to `start` while the
    program runs, and to `end` while it is stopped."""
    s.set_clock(start)
    time.sleep(1.5)  # a tick or more before the hold-up, as on a running clock
    os.kill(s.program.pid, signal.SIGSTOP)
    try:
        s.set_clock(end)
    finally:
        os.kill(s.program.pid, signal.SIGCONT)


def run():
    null_audio()
    short = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(hours=1)
    long = short + datetime.timedelta(minutes=10)
    alarms = [
        {"time": time_key(short), "title": "Short", "message": "six seconds"},
        {"time": time_key(long), "title": "Long", "message": "seventy-five seconds",
         "voice": "long.wav"},
    ]
    with Session("alarm_late_ticks") as s:
        # A minute of sound: had it played, "close" would wait for it.
        s.write("long.wav", chime(60.0))
        alarms[1]["voice"] = s.win(s.path("long.wav"))
        skin = stage_clock(s, alarms, voice_seconds=16.0)
        s.fake_clock()
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        check(s.now() < short - 3 * SECOND, "the clock started after the alarm time")

        hold_up(s, short - 2 * SECOND, short + 4 * SECOND)
        first = s.wait_window("#32770", "Short", timeout=5)
        _, text, enabled = notification_state(s, first)
        check(text == "%02d:%02d:%02d \r\nsix seconds" % (short.hour, short.minute, short.second),
              "short: text %r" % text)
        check(enabled is False, "short: close is enabled, so the alarm did not ring")
        time.sleep(1.5)
        check(len(notifications(s, "Short")) == 1, "short: shown more than once")

        hold_up(s, long - 2 * SECOND, long + 73 * SECOND)
        second = s.wait_window("#32770", "Long", timeout=5)
        _, text, enabled = notification_state(s, second)
        check(text == "%02d:%02d:%02d \r\nseventy-five seconds" %
              (long.hour, long.minute, long.second), "long: text %r" % text)
        check(enabled is True, "long: close waits, so the late alarm played its voice")
        time.sleep(1.5)
        check(len(notifications(s, "Long")) == 1, "long: shown more than once")

        close_all_and_exit(s, clock, first, second)


scenario(run)

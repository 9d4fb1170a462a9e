"""Two clocks started from one folder through two spellings of it (the folder
itself and a symbolic link to it, as a junction or a mapped drive would be)
share one owner: the alarm shows one window. The clocks' time is moved with
faketime, so nothing waits for the alarm: both start an hour before it, then
the clock steps to three seconds before. Then a clock set a day forward meets
a day of alarms at once: one summary window lists them, silently, in a box
that scrolls."""
import datetime
import os

from alarm_scenarios import (NOTIFY_TEXT, null_audio, VK_ESCAPE, keep_shot, notification_state,
                             notifications, stage_clock, sunday_based, time_key, wait_until)
from harness import Session, check, scenario

SUMMARY = "見逃したアラーム"
WS_VSCROLL = 0x200000


def scroll_bar(s, window):
    """Whether the notification's text box has a vertical scroll bar."""
    rc, lines = s.probe("style", window, NOTIFY_TEXT)
    check(rc == 0, "no text box in %d" % window)
    return bool(int(lines[0][1], 16) & WS_VSCROLL)


def launch(s, exe, skin):
    """Starts a clock from `exe` on the session's clock: (process, window)."""
    before = {w["hwnd"] for w in s.find_windows("Horalune", "Horalune")}
    process = s.launch(exe, s.win(skin))
    fresh = lambda: [w["hwnd"] for w in s.find_windows("Horalune", "Horalune")
                     if w["visible"] and w["hwnd"] not in before]
    return process, wait_until(fresh, 30, "the clock window did not show")[0]


def run():
    null_audio()
    with Session("alarm_two_spellings") as s:
        start = datetime.datetime.now().replace(microsecond=0)
        due = start + datetime.timedelta(hours=1)
        late = [start + datetime.timedelta(hours=2 + h) for h in range(6)]
        # On its weekday only: the day forward below does not meet it again.
        alarms = [{"time": time_key(due, sunday_based(due)), "title": "Spelled", "message": "once"}]
        alarms += [{"time": time_key(t), "title": "Late %d" % n, "message": "late"}
                   for n, t in enumerate(late)]
        skin = stage_clock(s, alarms, voice_seconds=1.0)
        s.fake_clock()
        link = s.stage + "-link"
        os.symlink(s.stage, link)
        try:
            first = launch(s, s.path("Horalune.exe"), skin)
            second = launch(s, os.path.join(link, "Horalune.exe"), skin)

            # Three seconds before the alarm; both clocks read it.
            s.set_clock(due - datetime.timedelta(seconds=3))
            window = s.wait_window("#32770", "Spelled", timeout=30)
            wait_until(lambda: len(notifications(s, "Spelled")) >= 1, 5, "no window")
            # Both clocks have ticked past the alarm's second several times.
            seen = datetime.datetime.now()
            wait_until(lambda: datetime.datetime.now() >= seen + datetime.timedelta(seconds=4),
                       10, "time stood still")
            count = len(notifications(s, "Spelled"))
            check(count == 1, "%d windows for one alarm through two spellings" % count)
            check(not scroll_bar(s, window), "a single notice's box has a scroll bar")
            wait_until(lambda: notification_state(s, window)[2], 20, "close never enabled")
            s.click(window, 1008)
            s.wait_gone(window)

            # A day forward: six alarms fell due meanwhile, one window lists them.
            s.set_clock(datetime.datetime.now() + (due - start) + datetime.timedelta(days=1))
            summary = s.wait_window("#32770", SUMMARY, timeout=30)
            caption, text, enabled = notification_state(s, summary)
            lines = text.split("\r\n")
            check(len(lines) == 6 and all(l.endswith("Late %d" % n) for n, l in enumerate(lines)),
                  "summary text %r" % text)
            check(enabled, "a silent summary's close is usable at once")
            # Six lines in a box of five: the bar says there are more.
            check(scroll_bar(s, summary), "the summary's box has no scroll bar")
            keep_shot(s, "alarm_summary.png")
            check(not notifications(s, "Late 0"), "late alarms opened windows of their own")
            for process, window in (second, first):
                s.key(window, VK_ESCAPE)
                process.wait(timeout=30)
        finally:
            os.unlink(link)


scenario(run)

"""A clock reads the alarm list afresh when it first takes the alarms, after
its start-up messages: while it waits on the notice about a missing settings
file, another clock saves a list with an alarm and ends; the alarm rings. The
clock's time is moved with faketime to just before the alarm."""
import datetime
import os

from alarm_scenarios import (null_audio, VK_ESCAPE, alarm_keys, chime, notification_state,
                             sunday_based, time_key, wait_until)
from harness import Session, check, ini_keys, scenario


def run():
    null_audio()
    with Session("alarm_first_owner_reads_afresh") as s:
        skin = s.write_skin("skin", body=(120, 80), initialize={"AlarmVoice": "chime.wav"})
        s.write(os.path.join("skin", "chime.wav"), chime(1.0))
        s.fake_clock()
        s.start(s.win(skin))
        box = s.message_box()  # no Horalune.DAT yet: the list read at start is empty

        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(hours=1)
        s.write_config({"DataDir": "non"}, extra=[("Alarm", alarm_keys([
            {"time": time_key(due, sunday_based(due)), "title": "Fresh", "message": "saved"}]))])
        s.click(box["hwnd"], "OK")
        s.wait_gone(box["hwnd"])
        clock = wait_until(lambda: [w["hwnd"] for w in s.find_windows("Horalune", "Horalune")
                                    if w["visible"]], 30, "the clock window did not show")[0]

        s.set_clock(due - datetime.timedelta(seconds=3))
        window = s.wait_window("#32770", "Fresh", timeout=30)
        _, text, _ = notification_state(s, window)
        check(text.endswith("\r\nsaved"), "text %r" % text)
        wait_until(lambda: notification_state(s, window)[2], 20, "close never enabled")
        s.click(window, 1008)
        s.wait_gone(window)
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        titles = [v for k, v in ini_keys(s.path("Horalune.DAT"), "Alarm") if k.startswith("Title")]
        check(titles == ["Fresh"], "the list saved at exit: %r" % titles)
        last = dict(ini_keys(s.path("Horalune.DAT"), "Default")).get("LastChecked", "")
        check(last.startswith(due.strftime("%Y-%m-%d ")), "LastChecked %r" % last)


scenario(run)

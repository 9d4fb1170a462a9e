"""The alarm editor (F4): an alarm added, filled and confirmed with "ok" is in
Horalune.DAT at once, while the clock runs on; "cancel" discards what changed;
an alarm set in the editor survives killing the process and fires after a
restart; a title code page 932 cannot hold is refused with a message and
nothing is stored until it is changed."""
import datetime
import os

from alarm_scenarios import (null_audio, VK_ESCAPE, VK_F4, keep_shot, notification_state, stage_clock,
                             wait_until)
from harness import Session, check, ini_keys, scenario

SWITCH, TITLE, HOUR, MINUTE, SECOND, WEEKDAY, MESSAGE = 1034, 1026, 1033, 1035, 1036, 1032, 1028
ADD, OK, APPLY, CANCEL, DELETE = 1024, 1027, 1020, 1021, 1025
UNUSABLE = "使用できない文字が含まれています.\n他の文字に変えて下さい."


def open_editor(s, clock):
    s.key(clock, VK_F4)
    return s.dialog(timeout=20)["hwnd"]


def alarm_section(s):
    return dict(ini_keys(s.path("Horalune.DAT"), "Alarm"))


def fill(s, editor, title, message, hour, minute, second, weekday_item):
    s.probe("settext", editor, TITLE, title)
    s.probe("settext", editor, MESSAGE, message)
    s.probe("select", editor, HOUR, hour)
    s.probe("select", editor, MINUTE, minute)
    s.probe("select", editor, SECOND, second)
    s.probe("select", editor, WEEKDAY, weekday_item)


def run():
    null_audio()
    due = None
    with Session("alarm_editor") as s:
        s.fake_clock()
        skin = stage_clock(s, [])
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")

        # Add, fill, ok: written at once, the clock still running.
        editor = open_editor(s, clock)
        keep_shot(s, "alarm_editor_empty.png")
        s.click(editor, ADD)
        fill(s, editor, "Dentist", "歯医者の予約", 7, 5, 0, 3)  # Tuesday 07:05:00
        s.click(editor, SWITCH)
        keep_shot(s, "alarm_editor_filled.png")
        # Hangul has no place in code page 932: "ok" stores nothing, the
        # editor stays with the text as typed.
        s.probe("settext", editor, TITLE, "Dentist \ud55c")
        s.click(editor, OK)
        box = s.dialog(title="ほらるね")
        check(box["text"] == UNUSABLE, "refusal %r" % box["text"])
        s.click(box["hwnd"], "OK")
        s.wait_gone(box["hwnd"])
        check(s.text(editor, TITLE) == "Dentist \ud55c", "title %r" % s.text(editor, TITLE))
        check(alarm_section(s) == {}, "stored anyway: %r" % alarm_section(s))
        s.probe("settext", editor, TITLE, "Dentist")
        s.click(editor, OK)
        s.wait_gone(editor)
        keys = wait_until(lambda: alarm_section(s), 10, "no Alarm section after ok")
        check(keys == {"Switch00": "on", "Time00": "Tue070500", "Title00": "Dentist",
                       "Message00": "歯医者の予約", "Voice00": "default"}, "keys after ok: %r" % keys)
        check(s.program.poll() is None, "the clock ended")

        # Cancel discards: a second alarm and a changed title never reach the file.
        editor = open_editor(s, clock)
        s.probe("settext", editor, TITLE, "Changed")
        s.click(editor, ADD)
        s.probe("settext", editor, TITLE, "Discarded")
        s.click(editor, CANCEL)
        s.wait_gone(editor)
        check(alarm_section(s) == keys, "cancel changed the file: %r" % alarm_section(s))

        # An alarm due soon, confirmed with "apply" then "ok"; then the process
        # is killed without any exit.
        editor = open_editor(s, clock)
        s.click(editor, ADD)
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=40)
        fill(s, editor, "Restarted", "after a kill", due.hour, due.minute, due.second, 0)
        s.click(editor, SWITCH)
        s.click(editor, APPLY)
        wait_until(lambda: alarm_section(s).get("Title01") == "Restarted", 10,
                   "apply did not write the file: %r" % alarm_section(s))
        s.click(editor, OK)
        s.wait_gone(editor)
        s._wineserver("-k")  # no WM_DESTROY, no exit routine
        s.program.wait(timeout=20)
        keys = alarm_section(s)
        check(keys.get("Time01") == "%02d%02d%02d" % (due.hour, due.minute, due.second),
              "alarm lost by the kill: %r" % keys)

        s.start(s.win(skin))
        s.wait_window("Horalune", "Horalune")
        check(s.now() < due - datetime.timedelta(seconds=2),
              "the restart took too long to see the alarm")
        s.set_clock(due - datetime.timedelta(seconds=2))  # rather than wait for it
        window = s.wait_window("#32770", "Restarted", timeout=20)
        caption, text, _ = notification_state(s, window)
        check(text.endswith("\r\nafter a kill"), "text %r" % text)
        wait_until(lambda: notification_state(s, window)[2], 20, "close never enabled")
        s.click(window, 1008)
        s.wait_gone(window)
        clock = s.wait_window("Horalune", "Horalune")
        s.key(clock, VK_ESCAPE)
        s.expect_exit(0)
        # The exit saves the same list again.
        final = alarm_section(s)
        check(final.get("Title00") == "Dentist" and final.get("Title01") == "Restarted",
              "after exit: %r" % final)


scenario(run)

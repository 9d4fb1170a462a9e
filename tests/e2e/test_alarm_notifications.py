"""Alarms due after start: an every-day alarm fires once, its
window shows the title as caption and "HH:MM:SS " plus the message, and its
"close" button waits for the chime; a second alarm of the same second opens
after the first one's sound, 16 pixels right of and below it; an alarm for
another weekday and an alarm that is off stay quiet; an alarm whose own voice
file is missing or cannot be played plays the skin's alarm sound instead, and
its window can be closed once that ends."""
import datetime

from alarm_scenarios import (close_all_and_exit, null_audio, keep_shot, notification_state,
                             notifications, stage_clock, sunday_based, time_key,
                             wait_until)
from harness import Session, check, scenario

LEAD_SECONDS = 3600  # on the clock's own time: well after it has started


def run():
    null_audio()
    with Session("alarm_notifications") as s:
        s.fake_clock()
        due = s.now().replace(microsecond=0) + datetime.timedelta(seconds=LEAD_SECONDS)
        other_day = (sunday_based(due) + 3) % 7
        alarms = [
            {"time": time_key(due), "title": "Wake", "message": "Hello there"},
            {"time": time_key(due, other_day), "title": "Never", "message": "wrong day"},
            {"switch": "off", "time": time_key(due), "title": "Off", "message": "switched off"},
            {"switch": "ON", "time": time_key(due, sunday_based(due)), "title": "Second",
             "message": "Two"},
            # A voice that is not there, and one that is no media file: the
            # skin's chime plays in their place.
            {"time": time_key(due), "title": "Missing", "message": "no file",
             "voice": "Z:\\nowhere\\missing.wav"},
            {"time": time_key(due), "title": "Broken", "message": "not a sound",
             "voice": "broken.wav"},
        ]
        s.write("broken.wav", b"RIFF\x04\x00\x00\x00WAVEjunk")
        alarms[-1]["voice"] = s.win(s.path("broken.wav"))
        skin = stage_clock(s, alarms, voice_seconds=16.0)
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        check(not notifications(s), "a notification before the alarms' time")
        s.set_clock(due - datetime.timedelta(seconds=2))  # rather than wait for it
        first = s.wait_window("#32770", "Wake")
        caption, text, enabled = notification_state(s, first)
        check(caption == "Wake", "caption %r" % caption)
        expected = "%02d:%02d:%02d \r\nHello there" % (due.hour, due.minute, due.second)
        check(text == expected, "text %r, expected %r" % (text, expected))
        check(enabled is False, "close is enabled while the chime plays")
        keep_shot(s, "alarm_notification.png")

        # The chime ends: close comes alive, and only then the second alarm
        # of that second opens.
        second = s.wait_window("#32770", "Second", timeout=40)
        check(notification_state(s, first)[2], "the second window opened during the chime")
        wait_until(lambda: notification_state(s, second)[2], 20, "second close never enabled")

        # Next come the two alarms whose own voice cannot play: each plays
        # the skin's chime instead, so its close waits too. The null sound
        # device plays fast: look as soon as each window opens.
        fallbacks = {}
        for title in ("Missing", "Broken"):
            window = s.wait_window("#32770", title, timeout=40)
            check(notification_state(s, window)[2] is False,
                  "%s: close is enabled at once; the skin's chime did not play" % title)
            fallbacks[title] = window
        _, text2, _ = notification_state(s, second)
        weekday = ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"][sunday_based(due)]
        check(text2 == "%02d:%02d:%02d %s \r\nTwo" % (due.hour, due.minute, due.second, weekday),
              "second text %r" % text2)
        r1, r2 = s.rect(first), s.rect(second)
        check((r2[0] - r1[0], r2[1] - r1[1]) == (16, 16), "windows at %r and %r" % (r1, r2))

        # Several ticks fell into that second: still one window each, none
        # for the other weekday or the alarm that is off.
        wait_until(lambda: s.now() >= due + datetime.timedelta(seconds=1.5), 10,
                   "the alarm's second never passed")
        check(len(notifications(s, "Wake")) == 1, "Wake fired more than once")
        check(len(notifications(s, "Second")) == 1, "Second fired more than once")
        check(not notifications(s, "Never"), "an alarm for another weekday fired")
        check(not notifications(s, "Off"), "an alarm that is off fired")

        for title, window in fallbacks.items():
            wait_until(lambda: notification_state(s, window)[2], 40,
                       "%s: close never enabled" % title)
            s.click(window, 1008)
            s.wait_gone(window)
        close_all_and_exit(s, clock, first, second)


scenario(run)

"""Shared pieces of the alarm scenarios: alarms written into Horalune.DAT a few
seconds ahead of the real time, a chime the skin names as its alarm sound, and
the notification windows as the probe sees them."""
import datetime
import io
import math
import os
import shutil
import struct
import tempfile
import wave

from harness import Session, check, ini_keys, wait_until  # noqa: F401 (re-exported)

VK_F4 = 0x73
VK_ESCAPE = 0x1B
NOTIFY_TEXT = 1040
NOTIFY_CLOSE = 1008
WEEKDAYS = ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"]


def null_audio():
    """Sends Wine's sound to ALSA's null device. A virtual display has no sound
    card, and without any output device every playback fails at once."""
    home = tempfile.mkdtemp(prefix="horalune-alarm-home-")
    with open(os.path.join(home, ".asoundrc"), "w") as f:
        f.write("pcm.!default { type null }\n")
    os.environ["HOME"] = home


def chime(seconds=3.0, rate=11025):
    """A plain 8-bit mono tone as a .wav file."""
    frames = bytes(int(128 + 60 * math.sin(2 * math.pi * 880 * i / rate))
                   for i in range(int(seconds * rate)))
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(rate)
        w.writeframes(frames)
    return out.getvalue()


def sunday_based(day):
    return (day.weekday() + 1) % 7  # Python counts from Monday


def time_key(moment, weekday=None):
    prefix = "" if weekday is None else WEEKDAYS[weekday]
    return "%s%02d%02d%02d" % (prefix, moment.hour, moment.minute, moment.second)


def alarm_keys(alarms):
    """alarms: list of dicts with switch, time, title, message, voice."""
    keys = []
    for n, a in enumerate(alarms):
        keys += [("Switch%02d" % n, a.get("switch", "on")), ("Time%02d" % n, a["time"]),
                 ("Title%02d" % n, a.get("title", "")), ("Message%02d" % n, a.get("message", "")),
                 ("Voice%02d" % n, a.get("voice", "default"))]
    return keys


def stage_clock(s, alarms, voice_seconds=3.0):
    """Horalune.DAT with the alarms, and a skin whose alarm sound is a chime."""
    s.write_config({"DataDir": "non"}, extra=[("Alarm", alarm_keys(alarms))] if alarms else None)
    skin = s.write_skin("skin", body=(120, 80), initialize={"AlarmVoice": "chime.wav"})
    s.write(os.path.join("skin", "chime.wav"), chime(voice_seconds))
    return skin


def notifications(s, title="-"):
    return [w for w in s.find_windows("#32770", title) if w["visible"]]


def notification_state(s, hwnd):
    """(caption, text, close enabled) of a notification window."""
    _, lines = s.probe("dialog", 2000, s.text(hwnd))
    caption = s.text(hwnd)
    text = s.text(hwnd, NOTIFY_TEXT)
    enabled = None
    for l in lines[1:]:
        if l[0] == "button" and int(l[1]) == NOTIFY_CLOSE:
            enabled = l[3] == "1"
    return caption, text, enabled


def close_all_and_exit(s, clock, *windows):
    """Closes the notifications, then ends the clock with Esc (exit code 0)."""
    for window in windows:
        s.click(window, NOTIFY_CLOSE)
    for window in windows:
        s.wait_gone(window)
    s.key(clock, VK_ESCAPE)
    s.expect_exit(0)


def keep_shot(s, name):
    shot = s.screenshot(s.path(name))
    keep = os.environ.get("HORALUNE_SHOTS")
    if keep:
        os.makedirs(keep, exist_ok=True)
        shutil.copy(shot, os.path.join(keep, name))
    return shot



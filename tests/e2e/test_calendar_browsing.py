"""Browsing in the calendar: with the program's clock set to 28 February 2024,
→ and ← move a day (into the leap day and across the month end), ↑ ↓ a week,
Page Up / Page Down a month, Home back to today; across both year ends the
shown date and its events follow, the national holiday first and a file line
with the same text not twice, ordinal-weekday lines resolved for the year shown.
Esc and Enter still leave it open; "ok" closes it. Once more at 150 %."""
import datetime
import os
import shutil

from harness import Session, check, scenario, wait_until

VK_F5, VK_ESCAPE = 0x74, 0x1B
VK_PRIOR, VK_NEXT, VK_HOME = 0x21, 0x22, 0x24
VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN = 0x25, 0x26, 0x27, 0x28
EVENTS_EDIT, OK_BUTTON = 1018, 1008

ANNIVERSARIES = ("0228 前日の予定", "0229 閏日", "0301 三月", "#12Thu4 第4木曜日",
                 "0101 元日", "0101 初日")

# (keys, the window text naming the day, its events)
WALK = [
    ([], "2024年2月28日 水曜日", "・前日の予定\r\n"),
    ([VK_RIGHT], "2024年2月29日 木曜日", "・閏日\r\n"),
    ([VK_RIGHT], "2024年3月1日 金曜日", "・三月\r\n"),
    ([VK_HOME], "2024年2月28日 水曜日", "・前日の予定\r\n"),
    # Back over the year end: December 2023's fourth Thursday is the 28th.
    ([VK_PRIOR, VK_PRIOR], "2023年12月28日 木曜日", "・第4木曜日\r\n"),
    ([VK_RIGHT] * 4, "2024年1月1日 月曜日", "・元日\r\n・初日\r\n"),
    ([VK_UP], "2023年12月25日 月曜日", "予定はありません"),
    ([VK_DOWN, VK_DOWN], "2024年1月8日 月曜日", "・成人の日\r\n"),
    # Forward over the next year end; December 2024's fourth Thursday is the 26th.
    ([VK_NEXT] * 11, "2024年12月8日 日曜日", "予定はありません"),
    ([VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT], "2024年12月26日 木曜日",
     "・第4木曜日\r\n"),
    ([VK_DOWN], "2025年1月2日 木曜日", "予定はありません"),
    ([VK_LEFT], "2025年1月1日 水曜日", "・元日\r\n・初日\r\n"),
]


def crlf(*lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def start_on_28_february(s):
    """The program with its clock on 28 February 2024, 10:00 (and running)."""
    s.find_windows()  # the wineserver starts with the real clock
    s.fake_clock(datetime.datetime(2024, 2, 28, 10, 0, 0))
    s.start(s.win(s.write_skin("skin", body=(120, 80))))
    clock = s.wait_window("Horalune", "Horalune")
    s.key(clock, VK_F5)
    dialog = wait_until(lambda: next((d for d in [s.dialog(timeout=20)]
                                      if any(c["id"] == EVENTS_EDIT for c in d["controls"])), None),
                        20, "no calendar with its events list")
    return clock, dialog["hwnd"]


def shown(s, hwnd):
    titles = [w["title"] for w in s.find_windows("#32770") if w["hwnd"] == hwnd]
    return (titles[0] if titles else None), s.text(hwnd, EVENTS_EDIT)


def save_shot(s, name):
    shot = s.screenshot(s.path(name))
    keep = os.environ.get("HORALUNE_SHOTS")
    if keep:
        os.makedirs(keep, exist_ok=True)
        shutil.copy(shot, os.path.join(keep, name))


def close(s, clock, hwnd):
    s.key(hwnd, VK_ESCAPE)
    s.command(hwnd, 2)  # IDCANCEL
    s.command(hwnd, 1)  # IDOK
    still = [w for w in s.find_windows("#32770") if w["hwnd"] == hwnd]
    check(still and still[0]["visible"], "the calendar closed without its ok button")
    s.click(hwnd, OK_BUTTON)
    s.wait_gone(hwnd)
    s.key(clock, VK_ESCAPE)
    s.expect_exit(0)


def walk():
    with Session("calendar_browsing") as s:
        s.write_config({"DataDir": "non"})
        s.write("Anniv.DAT", crlf(*ANNIVERSARIES))
        clock, hwnd = start_on_28_february(s)
        for keys, title, events in WALK:
            for key in keys:
                s.key(hwnd, key)
            wait_until(lambda: shown(s, hwnd)[0] == title, 10, "after %r no %s" % (keys, title))
            now = shown(s, hwnd)
            check(now == (title, events), "%s: %r, expected %r" % (title, now, (title, events)))
            if title.startswith("2024年2月29日"):
                save_shot(s, "calendar_leap_day.png")
        close(s, clock, hwnd)


def at_150_percent():
    with Session("calendar_browsing_150", dpi=144) as s:
        s.write_config({"DataDir": "non"})
        s.write("Anniv.DAT", crlf(*ANNIVERSARIES))
        clock, hwnd = start_on_28_february(s)
        s.key(hwnd, VK_RIGHT)
        title = "2024年2月29日 木曜日"
        wait_until(lambda: shown(s, hwnd) == (title, "・閏日\r\n"), 10, "no leap day at 150 %")
        save_shot(s, "calendar_leap_day_150.png")
        close(s, clock, hwnd)


def run():
    walk()
    at_150_percent()


scenario(run)

"""The calendar (F5) lists today's events from the user's anniversary file and
Anniv.DAT: the date's lines first, in file order, then the weekday's; a day
without events reads 予定はありません. Esc does not close it; "ok" does."""
import datetime
import os
import shutil

from harness import Session, check, scenario, wait_until

VK_F5 = 0x74
VK_ESCAPE = 0x1B
EVENTS_EDIT = 1018
OK_BUTTON = 1008
WEEKDAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]  # date.weekday() order


def crlf(*lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def files_for(day):
    """Anniversary files with a dated, a weekly, an ordinal and an every-month
    ordinal event for `day`, and the text the calendar must show for it."""
    mmdd = "%02d%02d" % (day.month, day.day)
    www = WEEKDAYS[day.weekday()]
    nth = (day.day - 1) // 7 + 1  # every day is some N-th weekday of its month
    user = crlf("; my own days", mmdd + " 誕生日の試験")
    shared = crlf("; weekly first in the file, yet listed last",
                  www + " 毎週の予定",
                  "#%02d%s%d 第%d曜日の予定" % (day.month, www, nth, nth),
                  "#%s%d 毎月の第%d曜日" % (www, nth, nth),
                  "1301 壊れた行")
    expected = ("・誕生日の試験\r\n・第%d曜日の予定\r\n・毎月の第%d曜日\r\n・毎週の予定\r\n"
                % (nth, nth))
    return user, shared, expected


def other_day_file(day):
    """Events only on a date half a year away, on no weekday."""
    far = (day.month + 5) % 12 + 1
    return crlf("%02d01 別の日" % far, "; nothing weekly")


def open_calendar(s, skin):
    s.start(s.win(skin))
    clock = s.wait_window("Horalune", "Horalune")
    s.key(clock, VK_F5)

    def calendar():
        # The calendar itself, once its events list is there.
        found = s.dialog(timeout=20)
        return found if any(c["id"] == EVENTS_EDIT for c in found["controls"]) else None
    dialog = wait_until(calendar, 20, "no calendar with its events list")
    return clock, dialog


def save_shot(s, name):
    shot = s.screenshot(s.path(name))
    keep = os.environ.get("HORALUNE_SHOTS")
    if keep:
        os.makedirs(keep, exist_ok=True)
        shutil.copy(shot, os.path.join(keep, name))


def close_calendar(s, clock, dialog):
    # Enter and Esc leave it open; only "ok" closes it.
    s.key(dialog["hwnd"], VK_ESCAPE)
    s.command(dialog["hwnd"], 2)  # IDCANCEL
    s.command(dialog["hwnd"], 1)  # IDOK
    still = [w for w in s.find_windows("#32770") if w["hwnd"] == dialog["hwnd"]]
    check(still and still[0]["visible"], "the calendar closed without its ok button")
    s.click(dialog["hwnd"], OK_BUTTON)
    s.wait_gone(dialog["hwnd"])
    s.key(clock, VK_ESCAPE)
    s.expect_exit(0)


def events_today():
    for attempt in range(2):  # a run across midnight tries once more
        today = datetime.date.today()
        user, shared, expected = files_for(today)
        with Session("calendar") as s:
            s.write_config({"DataDir": "non", "UserAnniversaryFile": "mine.txt", "Holidays": "0"})
            s.write("mine.txt", user)
            s.write("Anniv.DAT", shared)
            skin = s.write_skin("skin", body=(120, 80))
            clock, dialog = open_calendar(s, skin)
            check("ok" in dialog["buttons"], "no ok button: %r" % dialog["buttons"])
            shown = s.text(dialog["hwnd"], EVENTS_EDIT)
            save_shot(s, "calendar.png")
            if datetime.date.today() != today and attempt == 0:
                close_calendar(s, clock, dialog)
                continue
            check(shown == expected, "events %r, expected %r" % (shown, expected))
            close_calendar(s, clock, dialog)
        return


def no_events_today():
    today = datetime.date.today()
    with Session("calendar_empty") as s:
        s.write_config({"DataDir": "non", "Holidays": "0"})
        s.write("Anniv.DAT", other_day_file(today))
        skin = s.write_skin("skin", body=(120, 80))
        clock, dialog = open_calendar(s, skin)
        shown = s.text(dialog["hwnd"], EVENTS_EDIT)
        save_shot(s, "calendar_empty.png")
        check(shown == "予定はありません", "events %r" % shown)
        close_calendar(s, clock, dialog)


def run():
    events_today()
    no_events_today()


scenario(run)

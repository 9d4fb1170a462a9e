#!/usr/bin/env python3
"""Writes the reference table of Japan's national holidays, 1955-2050, that the
unit tests compare the program's own holidays with, day for day.

Source: the Japan holiday list of Debian's python3-holidays (0.10.1, module
holidays.countries.japan), written independently of this program. That list
predates some amendments and misses a few days; the corrections below are each
a change the law or a special law made, applied to the rows they touch and
counted in the table's header. Run with Debian's /usr/bin/python3:

    /usr/bin/python3 scripts/make-holiday-table.py > tests/unit/data/japanese-holidays-1955-2050.tsv
"""
import datetime
import sys

import holidays

FIRST, LAST = 1955, 2050

# Days the source leaves out.
ADDED = {
    # One-off days of the special laws.
    datetime.date(1959, 4, 10): "皇太子明仁親王の結婚の儀",
    datetime.date(1989, 2, 24): "昭和天皇の大喪の礼",
    datetime.date(1990, 11, 12): "即位礼正殿の儀",
    datetime.date(1993, 6, 9): "皇太子徳仁親王の結婚の儀",
    # Children's Day 1974 fell on a Sunday.
    datetime.date(1974, 5, 6): "振替休日",
    # The Emperor's Birthday (23 February) on a Sunday.
    datetime.date(2025, 2, 24): "振替休日",
    datetime.date(2031, 2, 24): "振替休日",
    datetime.date(2042, 2, 24): "振替休日",
    datetime.date(2048, 2, 24): "振替休日",
    # 2021: Marine, Sports and Mountain Day moved for the Olympic Games
    # (amended special measures law of 2020); 8 August a Sunday.
    datetime.date(2021, 7, 22): "海の日",
    datetime.date(2021, 7, 23): "スポーツの日",
    datetime.date(2021, 8, 8): "山の日",
    datetime.date(2021, 8, 9): "振替休日",
}
# Days the source lists that were no holidays.
REMOVED = {datetime.date(2021, 7, 19), datetime.date(2021, 8, 11), datetime.date(2021, 10, 11)}
REMOVED |= {datetime.date(y, 2, 11) for y in range(FIRST, 1967)}  # Foundation Day from 1967


def corrected_name(day, name):
    # Health and Sports Day is Sports Day from 2020; the special law names
    # the 2019 ceremony as in 1990.
    if name == "体育の日" and day.year >= 2020:
        return "スポーツの日"
    if name == "即位礼正殿の儀が行われる日":
        return "即位礼正殿の儀"
    return name


def main():
    rows = {}
    corrections = 0
    for year in range(FIRST, LAST + 1):
        for day, name in holidays.Japan(years=year).items():
            if day.year != year:
                continue
            if day in REMOVED:
                corrections += 1
                continue
            fixed = corrected_name(day, name)
            corrections += fixed != name
            rows[day] = fixed
    for day, name in ADDED.items():
        assert day not in rows, day
        rows[day] = name
        corrections += 1
    out = sys.stdout
    out.write(f"# Japan's national holidays {FIRST}-{LAST}: python3-holidays "
              f"{holidays.__version__} (Debian), holidays.countries.japan, "
              f"{corrections} rows corrected by scripts/make-holiday-table.py\n")
    for day in sorted(rows):
        out.write(f"{day.isoformat()}\t{rows[day]}\n")


if __name__ == "__main__":
    main()

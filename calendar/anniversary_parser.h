// Reading anniversary files: one event per line, in four line kinds.
//
//   MMDD text     a date (0101 = 1 January)
//   DD text       that day of every month that has it (01 … 31)
//   Www text      every such weekday (Sun … Sat, any case)
//   #MMwwwN text  the N-th weekday of a month (#05Sun2 = 2nd Sunday of May)
//   #wwwN text    the N-th weekday of every month
//
// Every other line (";" comments, blanks, Japanese text) is ignored. The
// functions here are pure: the caller gives the bytes and the year, and
// receives each event through a callback.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace calendar {

// One slot per day of a leap year, then one per weekday.
constexpr int kDaySlotCount = 366;
constexpr int kWeekdaySlotCount = 7;

// Longest line content kept; the rest of a longer line is dropped.
constexpr std::size_t kMaxLineBytes = 510;

// Month lengths with February always 29 (index 0 = January).
extern const int kDaysInMonth[12];
extern const int kDaysBefore[12];

// 0 Sunday … 6 Saturday; -1 before 15 October 1582.
int Weekday(int year, int month, int day);

// Slot of month * 100 + day, or -1 when no such day exists in a leap year.
int DaySlotIndex(long mmdd);

// The date (month * 100 + day) of an ordinal-weekday key "#MMwwwN" in `year`,
// or -1. Keys shorter than seven bytes never resolve.
int ResolveOrdinal(std::string_view key, int year);

enum class SlotKind { Day, Weekday };

// Called once per event found: the slot (day slot or weekday 0..6) and its text.
using EventSink = std::function<void(SlotKind kind, int index, std::string_view text)>;

// Reads a whole file's CP932 text in one pass. Lines end with CR LF or LF; a
// lone CR is an ordinary byte. A line holding a NUL byte is dropped, and reading goes
// on with the next line.
void ParseAnniversaryText(std::string_view bytes, int year, const EventSink& add);

// One line's content (without its CR LF), already cut to kMaxLineBytes.
void ParseAnniversaryLine(std::string_view line, int year, const EventSink& add);

}  // namespace calendar

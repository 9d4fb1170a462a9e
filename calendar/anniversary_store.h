// The events the calendar lists for a day, read from the user's anniversary
// file and then Anniv.DAT, both in the program's folder. One store lives for
// the whole run; it is filled once at start-up and again when the year turns.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/anniversary_parser.h"

// The events of one day or one weekday, as bullet lines "・event\r\n".
struct EventSlot {
  int eventCount = 0;
  bool holdsText = false;
  std::string text;

  void Add(std::string_view event);
  // The bullet lines, or "予定はありません" when the slot holds no event.
  std::string_view Read() const;
  void Clear();
};

class AnniversaryStore {
 public:
  // The program's folder and the current local year.
  AnniversaryStore();
  // Any folder (ending in a path separator) and year; for tools and tests.
  AnniversaryStore(std::string folder, int year);
  virtual ~AnniversaryStore();
  AnniversaryStore(const AnniversaryStore&) = delete;
  AnniversaryStore& operator=(const AnniversaryStore&) = delete;

  // Adds the user's file (named by UserAnniversaryFile in Horalune.DAT), then
  // Anniv.DAT. A missing or unreadable file adds nothing.
  void Load();
  // Empties every slot and loads again.
  void Reload();
  // Reloads when the year differs from the one the ordinal lines were resolved
  // for; call before showing the calendar.
  void RefreshYear();
  void RefreshYear(int currentYear);

  // The events of a date: the date's own lines first, then its weekday's; or
  // "予定はありません". The text is as long as the events need.
  std::string DayText(int y, int m, int d) const;

  // What the calendar lists for a date: its national holiday first (unless
  // Horalune.DAT says Holidays=0), then DayText's events, leaving out an event
  // whose text is the holiday's name. Ordinal-weekday events are those of the
  // store's year: RefreshYear(y) first.
  std::vector<std::string> CalendarEvents(int y, int m, int d) const;
  // The same as bullet lines "・event\r\n", or "予定はありません".
  std::string CalendarText(int y, int m, int d) const;
  bool HolidaysShown() const { return holidaysShown; }

  static int Weekday(int y, int m, int d) { return calendar::Weekday(y, m, d); }
  static int DaySlotIndex(long mmdd) { return calendar::DaySlotIndex(mmdd); }
  int ResolveOrdinal(std::string_view key) const { return calendar::ResolveOrdinal(key, year); }

  int Year() const { return year; }
  const EventSlot& DaySlot(int index) const { return daySlots[index]; }
  const EventSlot& WeekdaySlot(int weekday) const { return weekdaySlots[weekday]; }

  // Adds the events of one file's bytes (as Load does for each file).
  void AddText(std::string_view bytes);

 private:
  void AddFile(const std::string& path);

  std::string folder;
  int year;
  bool holidaysShown = true;
  std::array<EventSlot, calendar::kDaySlotCount> daySlots;
  std::array<EventSlot, calendar::kWeekdaySlotCount> weekdaySlots;
};

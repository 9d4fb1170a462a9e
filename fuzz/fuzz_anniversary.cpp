// Anniversary files from anywhere: the parser must drop what it cannot read,
// and the day texts must hold every event whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/anniversary_store.h"
#include "calendar/japanese_holidays.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the year, so ordinal lines resolve in many years.
  const int year = size > 0 ? 1990 + data[0] % 64 : 2001;
  AnniversaryStore store("", year);  // no folder: only the bytes below
  store.AddText(bytes);
  // A day's text is its date lines and its weekday lines, whole.
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1; d <= 31; ++d) {
      const int slot = AnniversaryStore::DaySlotIndex(m * 100 + d);
      const int weekday = AnniversaryStore::Weekday(year, m, d);
      std::size_t expected = 0;
      if (slot >= 0) expected += store.DaySlot(slot).text.size();
      if (weekday >= 0) expected += store.WeekdaySlot(weekday).text.size();
      const std::string text = store.DayText(year, m, d);
      if (expected > 0 && text.size() != expected) __builtin_trap();
      // The calendar's list: the holiday first, then at most every file event,
      // none of them repeating the holiday's name.
      const auto events = store.CalendarEvents(year, m, d);
      const std::string_view holiday = calendar::JapaneseHolidayName(year, m, d);
      const std::size_t fileEvents = (slot >= 0 ? store.DaySlot(slot).eventCount : 0) +
                                     (weekday >= 0 ? store.WeekdaySlot(weekday).eventCount : 0);
      if (events.size() > fileEvents + (holiday.empty() ? 0 : 1)) __builtin_trap();
      for (std::size_t i = 0; i < events.size(); ++i) {
        if (!holiday.empty() && (i == 0) != (events[i] == holiday)) __builtin_trap();
      }
    }
  }
  // Each event line is "・" + at most one cut line + CR LF.
  for (int i = 0; i < calendar::kDaySlotCount; ++i) {
    const EventSlot& slot = store.DaySlot(i);
    const std::size_t limit = static_cast<std::size_t>(slot.eventCount) * (calendar::kMaxLineBytes + 4);
    if (slot.text.size() > limit) __builtin_trap();
  }
  return 0;
}

// Time keys from anywhere: a key reads as strtol reads its number, a valid key
// lies in range and is written back into a key that reads the same.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "alarm/alarm_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string key(reinterpret_cast<const char*>(data), size);  // stops at a NUL
  TimeOfAlarm time{9, 9, 9, 9};
  const bool valid = ParseTimeKey(key.c_str(), time);

  // The same reading done by the C library.
  const char* rest = key.c_str();
  int weekday = kEveryDay;
  for (int day = 0; day < 7 && weekday == kEveryDay; ++day) {
    bool match = true;
    for (int i = 0; i < 3 && match; ++i) {
      const char c = rest[i];
      const char p = kWeekdayPrefixes[day][i];
      const auto lower = [](char x) { return x >= 'A' && x <= 'Z' ? char(x - 'A' + 'a') : x; };
      match = c != '\0' && lower(c) == lower(p);
    }
    if (match) weekday = day;
  }
  if (weekday != kEveryDay) rest += 3;
  const long n = std::strtol(rest, nullptr, 10);
  const bool expected = n >= 0 && n / 10000 <= 23 && n % 10000 / 100 <= 59 && n % 100 <= 59;
  if (valid != expected) __builtin_trap();
  if (!valid) {
    if (time.weekday != 9) __builtin_trap();  // nothing stored
    return 0;
  }
  if (time.weekday != weekday || time.hour * 10000 + time.minute * 100 + time.second != n)
    __builtin_trap();

  const std::string written = FormatTimeKey(time);
  if (written.size() > 9) __builtin_trap();
  TimeOfAlarm again;
  if (!ParseTimeKey(written.c_str(), again) || again.weekday != time.weekday ||
      again.hour != time.hour || again.minute != time.minute || again.second != time.second)
    __builtin_trap();

  AlarmRecord record;
  if (!record.Assign(true, key.c_str(), "", "", "") || record.FormatTimeKey() != written)
    __builtin_trap();
  if (record.NotificationText().size() > record.Message().size() + 15) __builtin_trap();
  return 0;
}

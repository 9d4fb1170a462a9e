#include "alarm/alarm_handover.h"

#include <cstdio>

#include "alarm/alarm_walk.h"
#include "platform/ini_file.h"

const char* const kLastCheckedSection = "Default";
const char* const kLastCheckedKey = "LastChecked";

namespace {

// The civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(std::int64_t days, std::int64_t& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = yearOfEra + era * 400 + (month <= 2);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && a < 0); }

}  // namespace

std::string FormatLastChecked(std::int64_t serial) {
  const std::int64_t days = FloorDiv(serial, AlarmWalk::kDaySeconds);
  const std::int64_t ofDay = serial - days * AlarmWalk::kDaySeconds;
  std::int64_t year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(days, year, month, day);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d:%02d",
                static_cast<long long>(year), month, day, static_cast<int>(ofDay / 3600),
                static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
  return text;
}

bool ParseLastChecked(const std::string& text, std::int64_t& serial) {
  LocalClockReading reading;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &reading.year, &reading.month,
                  &reading.day, &reading.hour, &reading.minute, &reading.second, &rest) != 6) {
    return false;
  }
  if (reading.year < 1601 || reading.month < 1 || reading.month > 12 || reading.day < 1 ||
      reading.hour > 23 || reading.minute > 59 || reading.second > 59 || reading.hour < 0 ||
      reading.minute < 0 || reading.second < 0) {
    return false;
  }
  const std::int64_t parsed = LocalSerial(reading);
  // A day past the month's end (2026-02-30) does not come back as written.
  if (FormatLastChecked(parsed) != text) return false;
  serial = parsed;
  return true;
}

bool ReadLastChecked(const char* path, std::int64_t& serial) {
  std::string value;
  if (path == nullptr || *path == '\0') return false;
  const platform::IniFile file(path);
  return file.Find(kLastCheckedSection, kLastCheckedKey, value) && ParseLastChecked(value, serial);
}

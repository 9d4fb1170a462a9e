// What one clock hands the next when the alarms of a settings file change
// owner: the last local second it looked at, written into the file's
// [Default] section with each save of the list, so that the heir walks on from
// there and no second between the two clocks goes unlooked at. Other programs
// reading the file ignore a key they do not know.
#pragma once
#include <cstdint>
#include <string>

extern const char* const kLastCheckedSection;  // "Default"
extern const char* const kLastCheckedKey;      // "LastChecked"

// A walk serial (alarm_walk.h) as the file holds it: "2026-01-05 07:30:00",
// local time.
std::string FormatLastChecked(std::int64_t serial);

// The serial back from the file's text; false (and `serial` untouched) for
// anything that is not a valid date and time in that form.
bool ParseLastChecked(const std::string& text, std::int64_t& serial);

// The value in the settings file at `path`; false when there is none.
bool ReadLastChecked(const char* path, std::int64_t& serial);

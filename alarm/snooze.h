// Snoozed notices: a notice put off with "snooze" rings again, with its sound,
// once its delay has passed. They are not alarms of the list (editing the list
// leaves them alone) and are kept in the settings file's own section, so a
// restart inside the delay still rings them; a snooze leaves the file before
// its notice is shown, so it never rings twice.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "alarm/alarm_queue.h"
#include "platform/local_clock.h"

extern const char* const kSnoozeSection;     // "Snooze"
extern const char* const kSnoozeMinutesKey;  // "SnoozeMinutes", in [Default]

constexpr int kDefaultSnoozeMinutes = 5;
constexpr int kFewestSnoozeMinutes = 1;
constexpr int kMostSnoozeMinutes = 60;

// The delay a `SnoozeMinutes` value asks for: a whole number of minutes from 1
// to 60. Anything else (missing, not a number, out of range) is the default 5:
// a typing slip should neither ring at once nor put an alarm off for hours.
int SnoozeMinutesFrom(const std::string& value);
// The delay set in the settings file at `path`.
int ReadSnoozeMinutes(const char* path);

// Snoozes count in UTC seconds (the walk's local serial less the UTC offset),
// so that a daylight-saving change or a new zone inside the delay neither
// stretches nor shortens it.
std::int64_t UtcSerial(const LocalClockReading& reading);

struct SnoozedNotice {
  std::int64_t due = 0;  // the UTC serial second it rings again at
  AlarmNotice notice;
};

class SnoozeList {
 public:
  static constexpr int kMostSnoozes = 100;

  // Puts `notice` off until the UTC serial second `due`. False for a
  // summary (it stands for many alarms) and when the list is full.
  bool Add(const AlarmNotice& notice, std::int64_t due);

  // Takes the snoozes due at `nowUtc` or before, earliest first, as the
  // notices to ring: with their sound, unless found a minute or more late (a
  // long sleep, a clock set far forward), as a late alarm is.
  std::vector<AlarmNotice> TakeDue(std::int64_t nowUtc);

  const std::vector<SnoozedNotice>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

  // The section's keys: Due<n> ("2026-01-05 07:35:00 UTC"), Title<n>,
  // Time<n>, Message<n>, Voice<n>. Load replaces the list; an entry with an
  // unreadable due time is dropped.
  void Load(const char* path);
  // Writes the section (gone when empty) and, unless empty, `lastChecked`
  // (alarm_handover.h) in one write. False when the file could not be written
  // or could not be read (it is never written over then).
  bool Save(const char* path, const std::string& lastChecked) const;

 private:
  std::vector<SnoozedNotice> entries_;  // in due order, equal dues in snooze order
};

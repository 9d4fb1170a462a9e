// The program's store of alarms: up to 100 active records without gaps, and the
// editor's working copy, committed or discarded as a whole.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "alarm/alarm_record.h"

constexpr int kMaxAlarms = 100;

class AlarmList {
 public:
  // Reads the Alarm section of Horalune.DAT in the program directory.
  AlarmList();
  // Reads the Alarm section of the given file; nullptr or "" reads nothing.
  explicit AlarmList(const char* path);
  virtual ~AlarmList();
  AlarmList(const AlarmList&) = delete;
  AlarmList& operator=(const AlarmList&) = delete;

  // File keys (alarm_keys.cpp). Load replaces the active records. A file that
  // is there but cannot be read, even after a few brief retries (another
  // clock replacing it, a scanner holding it), leaves the list empty and
  // unavailable: until a later Load reads it, Save writes nothing over it.
  void Load(const char* path);
  bool Save(const char* path) const;  // false when a write failed or was refused
  // The same, writing `lastChecked` (alarm_handover.h) in the same write.
  bool Save(const char* path, const std::string& lastChecked) const;
  bool Unavailable() const { return unreadable_; }

  int Count() const { return count_; }

  // Texts of active record i; empty for an index outside the list.
  std::string Title(int i) const;
  std::string Voice(int i) const;
  std::string NotificationText(int i) const;
  const AlarmRecord* Active(int i) const;  // read-only view, nullptr outside

  // Working copy.
  void BeginEdit();
  bool IsEditing() const { return working_ != nullptr; }
  bool AddWorking();
  bool DeleteWorking(int i);
  bool StoreWorking(int i, bool switchOn, const char* timeKey, const char* title,
                    const char* message, const char* voice);
  int WorkingCount() const { return workingCount_; }
  std::string WorkingHourText(int i) const;
  std::string WorkingMinuteText(int i) const;
  std::string WorkingSecondText(int i) const;
  int WorkingWeekday(int i) const;
  bool WorkingSwitch(int i) const;
  std::string WorkingTitle(int i) const;
  std::string WorkingMessage(int i) const;
  std::string WorkingVoice(int i) const;
  void EndEdit(bool commit);

 private:
  void LoadKeys(const char* path);
  // Appends a record read from the file; false when its key is invalid.
  bool AppendLoaded(bool switchOn, const char* timeKey, const char* title, const char* message,
                    const char* voice);
  const AlarmRecord* WorkingRecord(int i) const;

  int count_ = 0;
  // The file could not be read (too large, or not readable): it is never
  // written over with what little (nothing) was read from it.
  bool unreadable_ = false;
  std::array<AlarmRecord, kMaxAlarms> records_;
  int workingCount_ = 0;
  std::unique_ptr<std::array<AlarmRecord, kMaxAlarms>> working_;
};

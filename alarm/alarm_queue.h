// First-in, first-out queue of the notifications waiting for their window.
// Each entry is a copy of what its window shows, taken when the alarm matched,
// so editing the list meanwhile changes nothing pending. 100 entries; a notice
// pushed onto a full queue is dropped.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "alarm/alarm_identity.h"

class AlarmRecord;

struct AlarmNotice {
  std::string title;
  std::string text;   // the notification text: the alarm's own time, then its message
  std::string voice;
  int weekday = 7;
  int timeCode = 0;
  // Found a minute or more after its second: shown without sound, and its
  // "close" button usable at once.
  bool silent = false;
  // The local second it was due at (alarm_walk.h) and the alarm it came from.
  std::int64_t serial = 0;
  AlarmIdentity identity;
  // A summary of many late notices (alarm_check.h): the second and alarm of
  // each notice it stands for. Empty for a notice of one alarm.
  std::vector<std::pair<std::int64_t, AlarmIdentity>> summarised;
};

// The notice of a filled record; false (and `out` untouched) for an empty one.
bool MakeAlarmNotice(const AlarmRecord& record, bool silent, AlarmNotice& out);

class AlarmQueue {
 public:
  static constexpr int kCapacity = 100;

  AlarmQueue();
  virtual ~AlarmQueue();

  void Push(const AlarmNotice& notice);
  bool Pop();                        // false when empty
  // nullptr when empty. Stays valid while notices are pushed behind it (the
  // playback's modal loop checks again), until it is popped.
  const AlarmNotice* Front() const;
  bool IsEmpty() const { return entries_.empty(); }
  int Length() const { return static_cast<int>(entries_.size()); }

 private:
  std::deque<AlarmNotice> entries_;
};

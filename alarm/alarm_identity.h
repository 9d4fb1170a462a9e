// What an alarm is, apart from where it stands in the list, and the record of
// which alarm was shown for which local second. Together they make sure no
// alarm is shown twice for one second, whatever the clock or the list does.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class AlarmList;

// An alarm is its time key ("Mon073000", "235959"). Alarms that share one key
// are told apart by their rank among those alarms, in list order. So deleting,
// adding or moving alarms of other times, or editing a title, message, voice
// or switch, leaves every identity as it was; editing the time makes another
// alarm, which may ring at its new time.
struct AlarmIdentity {
  std::string timeKey;
  int rank = 0;

  bool operator<(const AlarmIdentity& other) const {
    return std::tie(timeKey, rank) < std::tie(other.timeKey, other.rank);
  }
  bool operator==(const AlarmIdentity& other) const {
    return timeKey == other.timeKey && rank == other.rank;
  }
};

// The identity of each active record of `list`, in list order.
std::vector<AlarmIdentity> IdentifyAlarms(const AlarmList& list);

// Which (local second, alarm) pairs were shown. Seconds are the walk's local
// serial seconds (alarm_walk.h).
class ShownAlarms {
 public:
  // The most pairs remembered: past it the earliest seconds are forgotten.
  // Forgetting by count, not by age, keeps what was shown before a clock set
  // far forward and back again.
  static constexpr std::size_t kMostRemembered = 20000;

  // Records the pair; false when it was recorded already.
  bool Mark(std::int64_t serial, const AlarmIdentity& alarm);
  bool Contains(std::int64_t serial, const AlarmIdentity& alarm) const;
  std::size_t Size() const { return shown_.size(); }

 private:
  std::set<std::pair<std::int64_t, AlarmIdentity>> shown_;
};

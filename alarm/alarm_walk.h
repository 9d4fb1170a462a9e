// Which local seconds an alarm check looks at. Each check walks the local
// date-times from the one after the last looked at up to now, in order, so a
// late tick, a sleep or a clock set forward loses no second (reaching back at
// most a day). A clock set back moves the walk back with it: the seconds it
// passes again are walked again, and the record of what was shown
// (alarm_identity.h), not the walk, keeps an alarm from showing twice.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/local_clock.h"

// One local second as the walk hands it out.
struct WalkedSecond {
  std::int64_t serial = 0;  // seconds since 1970-01-01 00:00:00 local, calendar counted
  int weekday = 0;          // 0 Sunday .. 6 Saturday
  int timeCode = 0;         // hour * 10000 + minute * 100 + second
  // How late the second is found: the larger of the local-clock distance and
  // the real time elapsed since it would have come, had the clock run evenly.
  // A second that a daylight-saving jump skipped counts from the jump.
  std::int64_t latenessMs = 0;
};

// Seconds of local calendar time, so that a daylight-saving gap is walked as
// the local seconds it skipped (time_t would skip them too).
std::int64_t LocalSerial(const LocalClockReading& reading);

class AlarmWalk {
 public:
  static constexpr std::int64_t kDaySeconds = 86400;

  // One check: `now` is one reading of the local clock, `elapsedMs` the
  // monotonic clock read with it. Calls `visit` for each second walked.
  void Step(const LocalClockReading& now, std::int64_t elapsedMs,
            const std::function<void(const WalkedSecond&)>& visit);

  // Before the first step: that step walks on from `lastLookedAt` (another
  // clock's last looked-at second) instead of looking at its own second only,
  // still reaching back at most a day. A second after that step's reading is
  // ignored.
  void StartAfter(std::int64_t lastLookedAt);

  bool Started() const { return started_; }
  std::int64_t LastLookedAt() const { return cursor_; }

 private:
  bool started_ = false;
  bool handedOver_ = false;  // StartAfter set the cursor before the first step
  std::int64_t cursor_ = 0;  // the last local second looked at
  // The previous check, against which real lateness is measured.
  std::int64_t referenceSerial_ = 0;
  std::int64_t referenceMs_ = 0;
  int referenceOffset_ = 0;  // the UTC offset at the previous check
};

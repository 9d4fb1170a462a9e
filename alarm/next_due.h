// When the next alarm falls due, for a timer that wakes the computer for it.
// Local moments are serials as the walk counts them (LocalSerial: seconds of
// local calendar time since 1970-01-01 00:00:00); instants are seconds since
// 1970-01-01 00:00:00 UTC.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

class AlarmList;

// The zone rule: seconds east of UTC in force at a UTC instant, so that the
// local serial at `utc` is utc + offset. Offsets are taken to lie within
// kMostZoneOffset and to change at most once in any two days.
using UtcOffsetAt = std::function<int(std::int64_t utc)>;
constexpr int kMostZoneOffset = 18 * 3600;

struct DueMoment {
  std::int64_t local = 0;  // the local second at which an alarm is due
  std::int64_t utc = 0;    // when the clock first shows that second or a later one
};

// The first local second after `after` at which an alarm of the list that is
// on is due, by the records' own rule; none when no alarm is on.
std::optional<std::int64_t> NextDueLocalSecond(const AlarmList& list, std::int64_t after);

// The first instant at or after `notBefore` at which the local clock reads
// `local` or later. A second skipped by a change forward is reached at the
// change, when the walk takes it as a late second; one that a change back
// shows twice is reached the first time, as the walk never looks at a second
// twice.
std::int64_t FirstInstantReaching(std::int64_t local, std::int64_t notBefore,
                                  const UtcOffsetAt& offsetAt);

// The next alarm after the walk's last looked-at second, and when it comes,
// never before `nowUtc`.
std::optional<DueMoment> NextDueMoment(const AlarmList& list, std::int64_t lastLookedAt,
                                       std::int64_t nowUtc, const UtcOffsetAt& offsetAt);

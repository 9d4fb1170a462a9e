#include "alarm/next_due.h"

#include <algorithm>
#include <vector>

#include "alarm/alarm_list.h"

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && a < 0); }

// 1970-01-01 was a Thursday.
int WeekdayOfDay(std::int64_t day) { return static_cast<int>(((day + 4) % 7 + 7) % 7); }

int TimeCodeOf(int secondOfDay) {
  return secondOfDay / 3600 * 10000 + secondOfDay % 3600 / 60 * 100 + secondOfDay % 60;
}

bool AnyDue(const AlarmList& list, int weekday, int timeCode) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Active(i)->IsDue(weekday, timeCode)) return true;
  }
  return false;
}

// The first instant in (from, to] whose offset differs from the one at
// `from`, or to + 1 when there is none (at most one change lies between).
std::int64_t NextChange(std::int64_t from, std::int64_t to, const UtcOffsetAt& offsetAt) {
  const int offset = offsetAt(from);
  if (offsetAt(to) == offset) return to + 1;
  std::int64_t same = from;
  std::int64_t changed = to;
  while (changed - same > 1) {
    const std::int64_t middle = same + (changed - same) / 2;
    (offsetAt(middle) == offset ? same : changed) = middle;
  }
  return changed;
}

}  // namespace

std::optional<std::int64_t> NextDueLocalSecond(const AlarmList& list, std::int64_t after) {
  // Only the times of day of alarms that are on can be due.
  std::vector<int> secondsOfDay;
  for (int i = 0; i < list.Count(); ++i) {
    const AlarmRecord& record = *list.Active(i);
    if (record.SwitchOn()) {
      secondsOfDay.push_back(record.Hour() * 3600 + record.Minute() * 60 + record.Second());
    }
  }
  std::sort(secondsOfDay.begin(), secondsOfDay.end());
  secondsOfDay.erase(std::unique(secondsOfDay.begin(), secondsOfDay.end()), secondsOfDay.end());
  // A weekly alarm comes round within a week and a day.
  const std::int64_t firstDay = FloorDiv(after, kDay);
  for (std::int64_t day = firstDay; day <= firstDay + 7; ++day) {
    for (const int secondOfDay : secondsOfDay) {
      const std::int64_t local = day * kDay + secondOfDay;
      if (local > after && AnyDue(list, WeekdayOfDay(day), TimeCodeOf(secondOfDay))) return local;
    }
  }
  return std::nullopt;
}

std::int64_t FirstInstantReaching(std::int64_t local, std::int64_t notBefore,
                                  const UtcOffsetAt& offsetAt) {
  // Between changes the clock runs evenly: jump to where it would read
  // `local`, stopping at a change on the way to look again from there.
  std::int64_t at = notBefore;
  for (int hops = 0; hops < 16; ++hops) {  // 32 days: far past any weekly alarm
    const int offset = offsetAt(at);
    if (at + offset >= local) return at;
    const std::int64_t even = local - offset;
    const std::int64_t change = NextChange(at, std::min(even, at + 2 * kDay), offsetAt);
    if (change > even) return even;
    at = change;
  }
  // The rule keeps changing: by this instant the clock reads `local` whatever it says.
  return std::max(notBefore, local + kMostZoneOffset);
}

std::optional<DueMoment> NextDueMoment(const AlarmList& list, std::int64_t lastLookedAt,
                                       std::int64_t nowUtc, const UtcOffsetAt& offsetAt) {
  const std::optional<std::int64_t> local = NextDueLocalSecond(list, lastLookedAt);
  if (!local) return std::nullopt;
  return DueMoment{*local, FirstInstantReaching(*local, nowUtc, offsetAt)};
}

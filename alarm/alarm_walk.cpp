#include "alarm/alarm_walk.h"

#include <algorithm>

namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const int shiftedMonth = month > 2 ? month - 3 : month + 9;
  const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0)); }

}  // namespace

std::int64_t LocalSerial(const LocalClockReading& reading) {
  // A leap second reads 60; it counts as the 59th so no second is taken twice.
  const int second = std::min(reading.second, 59);
  return DaysFromCivil(reading.year, reading.month, reading.day) * AlarmWalk::kDaySeconds +
         reading.hour * 3600 + reading.minute * 60 + second;
}

void AlarmWalk::StartAfter(std::int64_t lastLookedAt) {
  if (started_) return;
  handedOver_ = true;
  cursor_ = lastLookedAt;
}

void AlarmWalk::Step(const LocalClockReading& now, std::int64_t elapsedMs,
                     const std::function<void(const WalkedSecond&)>& visit) {
  const std::int64_t nowSerial = LocalSerial(now);
  std::int64_t from;
  // The previous check says how late a second is only when there is one and
  // the clock went forward from it.
  bool afresh = !started_;
  if (!started_ && !handedOver_) {
    from = nowSerial;  // the first check looks at the current second only
  } else if (nowSerial < cursor_) {
    from = nowSerial;  // set back: walk on from here, as the clock goes
    afresh = true;
  } else {
    // Forward: never further back than a day.
    from = std::max(cursor_ + 1, nowSerial - kDaySeconds + 1);
  }
  // Seconds a daylight-saving change skipped are not late by their skipped
  // length: the local distance is taken less the jump.
  const std::int64_t jump =
      started_ ? std::max(0, now.utcOffsetSeconds - referenceOffset_) : 0;
  // The weekday of the reading itself, carried to the other days walked.
  const std::int64_t today = FloorDiv(nowSerial, kDaySeconds);
  for (std::int64_t s = from; s <= nowSerial; ++s) {
    WalkedSecond walked;
    walked.serial = s;
    const std::int64_t day = FloorDiv(s, kDaySeconds);
    const std::int64_t secondOfDay = s - day * kDaySeconds;
    walked.weekday = static_cast<int>(((now.weekday + (day - today)) % 7 + 7) % 7);
    walked.timeCode = static_cast<int>(secondOfDay / 3600 * 10000 + secondOfDay % 3600 / 60 * 100 +
                                       secondOfDay % 60);
    std::int64_t lateness = (nowSerial - s - jump) * 1000;
    if (!afresh) {
      lateness = std::max(lateness, elapsedMs - referenceMs_ - (s - referenceSerial_) * 1000);
    }
    walked.latenessMs = std::max<std::int64_t>(lateness, 0);
    if (visit) visit(walked);
  }
  cursor_ = nowSerial;
  started_ = true;
  handedOver_ = false;
  referenceSerial_ = nowSerial;
  referenceMs_ = elapsedMs;
  referenceOffset_ = now.utcOffsetSeconds;
}

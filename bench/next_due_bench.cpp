// What re-arming the wake timer costs after each check: the next due alarm of
// a full list and its UTC instant through the system's zone rule. The worst
// list keeps every alarm on one weekday, six days ahead, so the search looks
// at a week of days; the rule is the zone in force (run with TZ set).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "alarm/alarm_list.h"
#include "alarm/alarm_record.h"
#include "alarm/next_due.h"
#include "platform/local_clock.h"

namespace {

void FillOneWeekday(AlarmList& list, int weekday) {
  list.BeginEdit();
  for (int i = 0; i < kMaxAlarms; ++i) {
    list.AddWorking();
    const TimeOfAlarm time{weekday, i % 24, (i * 7) % 60, 0};
    list.StoreWorking(i, true, FormatTimeKey(time).c_str(), "t", "", "");
  }
  list.EndEdit(true);
}

void BM_WakeRearmFullWeek(benchmark::State& state) {
  AlarmList list{nullptr};
  // 2026-03-28 was a Saturday; the alarms are all on Friday.
  FillOneWeekday(list, 5);
  const std::int64_t now = 1774692000;  // 2026-03-28 10:00 UTC, near a saving change
  for (auto _ : state) {
    // The rule is made afresh only after a zone change; here once per run as
    // the clock keeps it.
    static const UtcOffsetAt rule = platform::CurrentZoneRule();
    benchmark::DoNotOptimize(NextDueMoment(list, now + rule(now), now, rule));
  }
}
BENCHMARK(BM_WakeRearmFullWeek)->Unit(benchmark::kMicrosecond);

void BM_ZoneRuleMade(benchmark::State& state) {
  const std::int64_t now = 1774692000;
  for (auto _ : state) benchmark::DoNotOptimize(platform::CurrentZoneRule()(now));
}
BENCHMARK(BM_ZoneRuleMade)->Unit(benchmark::kMicrosecond);

}  // namespace

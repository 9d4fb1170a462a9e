// The wake timer of the owning clock, driven through the alarm service as the
// clock window drives it: each event re-arms it at the next due instant, and
// the display is held on exactly while a notification is open. A recording
// device stands in for the waitable timer (Wine accepts a waking timer but
// cannot sleep), and the zone rule and the clocks are the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "alarm/alarm_queue.h"
#include "alarm/alarm_record.h"
#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/alarm_service.h"
#include "alarm/win32/keep_awake.h"
#include "alarm/win32/wake_timer.h"
#include "platform/files.h"
#include "platform/local_clock.h"
#include "resources/resource_ids.h"
#include "unit/test_host.h"

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kHour = 3600;

std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  return era * 146097LL + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

std::int64_t LocalAt(int y, int m, int d, int hour, int minute) {
  return DaysFromCivil(y, m, d) * kDay + hour * kHour + minute * 60;
}

// What the clock reads at a local serial, with the offset in force.
LocalClockReading ReadingOf(std::int64_t local, int offset) {
  const std::int64_t day = local / kDay;
  const int sod = static_cast<int>(local % kDay);
  const std::int64_t z = day + 719468;
  const std::int64_t era = z / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  LocalClockReading r;
  r.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  r.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  r.year = static_cast<int>(yoe + era * 400 + (r.month <= 2));
  r.weekday = static_cast<int>((day + 4) % 7);  // 1970-01-01 was a Thursday
  r.hour = sod / 3600;
  r.minute = sod / 60 % 60;
  r.second = sod % 60;
  r.utcOffsetSeconds = offset;
  return r;
}

// Every call the timer gets: a moment it is set to, or none for a cancel.
class RecordingDevice : public WakeTimerDevice {
 public:
  explicit RecordingDevice(std::vector<std::optional<WakeArming>>& calls) : calls_(calls) {}
  void Set(const WakeArming& at) override { calls_.push_back(at); }
  void Cancel() override { calls_.push_back(std::nullopt); }

 private:
  std::vector<std::optional<WakeArming>>& calls_;
};

// The world the clock lives in: UTC now, the zone (standard time plus an
// hour of saving from `savingFrom`), and the monotonic clock.
struct World {
  std::int64_t utc = 0;
  int standard = 0;
  std::int64_t savingFrom = INT64_MAX;
  std::int64_t elapsedMs = 5000000;
  int OffsetAt(std::int64_t at) const { return standard + (at >= savingFrom ? 3600 : 0); }
  LocalClockReading Reading() const { return ReadingOf(utc + OffsetAt(utc), OffsetAt(utc)); }
};

void StoreAlarms(const std::vector<TimeOfAlarm>& times) {
  alarmList.BeginEdit();
  while (alarmList.WorkingCount() > 0) alarmList.DeleteWorking(0);
  for (std::size_t i = 0; i < times.size(); ++i) {
    ASSERT_TRUE(alarmList.AddWorking());
    ASSERT_TRUE(alarmList.StoreWorking(static_cast<int>(i), true,
                                       FormatTimeKey(times[i]).c_str(), "wake", "", ""));
  }
  alarmList.EndEdit(true);
}

BOOL CALLBACK CollectNotification(HWND window, LPARAM found) {
  if (GetDlgItem(window, IDC_NOTIFICATION_TEXT) != nullptr && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

std::vector<HWND> OpenNotifications() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectNotification, reinterpret_cast<LPARAM>(&found));
  return found;
}

void PressClose(HWND notification) {
  SendMessageW(notification, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(notification, IDC_CLOSE)));
}

// The settings file beside the test program is the owner's: a save writes
// it. Whatever was there comes back afterwards.
class SettingsFileKept {
 public:
  SettingsFileKept()
      : path_(testing_support::HostPath(platform::SettingsFilePath(platform::ProgramDirectory()))) {
    std::ifstream in(path_, std::ios::binary);
    existed_ = static_cast<bool>(in);
    if (existed_) bytes_.assign(std::istreambuf_iterator<char>(in), {});
  }
  ~SettingsFileKept() {
    std::error_code ignored;
    if (existed_) {
      std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes_;
    } else {
      std::filesystem::remove(path_, ignored);
    }
  }
  SettingsFileKept(const SettingsFileKept&) = delete;
  SettingsFileKept& operator=(const SettingsFileKept&) = delete;

 private:
  std::filesystem::path path_;
  bool existed_ = false;
  std::string bytes_;
};

TEST(WakeTimer, EveryEventRearmsAtTheNextDueInstantAndANoticeHoldsTheDisplay) {
  SettingsFileKept settingsFile;
  std::vector<std::optional<WakeArming>> calls;
  std::vector<EXECUTION_STATE> states;
  World world;
  // Saturday 2026-03-28 12:00 in a zone one hour east of UTC, whose saving
  // starts at 01:00 UTC on Sunday: local 02:00 becomes 03:00.
  world.standard = 3600;
  world.savingFrom = LocalAt(2026, 3, 29, 1, 0);
  world.utc = LocalAt(2026, 3, 28, 11, 0);
  ScopedLocalClock clock([&world] { return world.Reading(); });
  ScopedElapsedClock elapsed([&world] { return world.elapsedMs; });
  SetAlarmZoneRule([&world](std::int64_t at) { return world.OffsetAt(at); });
  SetExecutionStateCall([&states](EXECUTION_STATE flags) { states.push_back(flags); });
  WakeTimer& timer = AlarmWakeTimer();
  timer.ReplaceDevice(std::make_unique<RecordingDevice>(calls));
  timer.SetWake(false);
  ASSERT_TRUE(OwnsAlarms());
  const auto lastCall = [&calls]() -> std::optional<WakeArming> {
    return calls.empty() ? std::nullopt : calls.back();
  };

  // No alarm on: nothing armed.
  StoreAlarms({});
  CheckAlarms();
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(timer.Armed().has_value());

  // A tick after the list gains a daily 07:30: armed for Sunday 07:30, which
  // comes after the change, so at 05:30 UTC.
  StoreAlarms({{kEveryDay, 7, 30, 0}});
  CheckAlarms();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 29, 5, 30), false}));
  // Ticks that change nothing leave the timer alone.
  world.utc += 1;
  world.elapsedMs += 1000;
  CheckAlarms();
  EXPECT_EQ(calls.size(), 1u);

  // The user allows waking: the same moment, now waking the computer.
  timer.SetWake(true);
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 29, 5, 30), true}));

  // An editor commit: a Monday 06:00 alarm joins, and the daily one moves to
  // 23:00; the save re-arms for Saturday's 23:00 (22:00 UTC).
  StoreAlarms({{1, 6, 0, 0}, {kEveryDay, 23, 0, 0}});
  SaveAlarmList();
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 28, 22, 0), true}));

  // The clock is set back a day (WM_TIMECHANGE checks at once): Friday's 23:00.
  world.utc -= kDay;
  ClockOrZoneChanged();
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 27, 22, 0), true}));

  // The zone changes to five hours west of UTC with no saving (a zone change
  // checks at once): Friday 23:00 there is 04:00 UTC on Saturday.
  world.standard = -5 * 3600;
  world.savingFrom = INT64_MAX;
  ClockOrZoneChanged();
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 28, 4, 0), true}));

  // The alarm list is taken away (every alarm off): the timer is cancelled.
  StoreAlarms({});
  SaveAlarmList();
  EXPECT_EQ(calls.back(), std::nullopt);
  StoreAlarms({{kEveryDay, 23, 0, 0}, {kEveryDay, 23, 30, 0}});
  SaveAlarmList();
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 28, 4, 0), true}));
  EXPECT_TRUE(states.empty());

  // The computer sleeps through both alarms and resumes at 23:45 (the
  // resume checks at once): each alarm opens its own notice, found late and
  // so silent, the display is held on once, and the timer moves to Saturday.
  const std::int64_t resumed = LocalAt(2026, 3, 28, 4, 45);  // 23:45 local
  world.elapsedMs += (resumed - world.utc) * 1000;
  world.utc = resumed;
  CheckAlarms();
  std::vector<HWND> notices = OpenNotifications();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(OpenNotificationCount(), 2);
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(states[0], ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED | ES_CONTINUOUS);
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 29, 4, 0), true}));

  // Closing the first keeps the hold; closing the last lets it go, once.
  PressClose(notices[0]);
  EXPECT_EQ(states.size(), 1u);
  PressClose(notices[1]);
  EXPECT_TRUE(OpenNotifications().empty());
  EXPECT_EQ(OpenNotificationCount(), 0);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states[1], static_cast<EXECUTION_STATE>(ES_CONTINUOUS));

  // Nothing rings twice: another check at the same moment opens nothing.
  CheckAlarms();
  EXPECT_TRUE(OpenNotifications().empty());
  EXPECT_EQ(states.size(), 2u);

  // A snoozed notice wakes the computer too: five minutes on, before the
  // next alarm; once it has rung the timer goes back to the alarm.
  AlarmNotice snoozed;
  snoozed.title = "snoozed";
  snoozed.text = "snoozed";
  ASSERT_TRUE(SnoozeNotice(snoozed));
  EXPECT_EQ(lastCall(), (WakeArming{resumed + 5 * 60, true}));
  world.utc += 7 * 60;  // found two minutes late: silent, no voice to play
  world.elapsedMs += 7 * 60 * 1000;
  CheckAlarms();
  notices = OpenNotifications();
  ASSERT_EQ(notices.size(), 1u);
  PressClose(notices[0]);
  EXPECT_EQ(lastCall(), (WakeArming{LocalAt(2026, 3, 29, 4, 0), true}));

  StoreAlarms({});
  SetExecutionStateCall(nullptr);
  SetAlarmZoneRule(nullptr);
  // The real timer takes a waking arming and a cancel (a call the system
  // lacked would end the program here).
  timer.ReplaceDevice(MakeWaitableWakeTimer());
  timer.ArmAt(LocalAt(2026, 3, 29, 4, 0));
  timer.ArmAt(std::nullopt);
  timer.SetWake(false);
  EXPECT_FALSE(timer.Armed().has_value());
}

}  // namespace

#include "alarm/win32/alarm_service.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "alarm/alarm_check.h"
#include "alarm/alarm_handover.h"
#include "alarm/alarm_owner.h"
#include "alarm/alarm_walk.h"
#include "alarm/snooze.h"
#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/notification_window.h"
#include "alarm/win32/wake_timer.h"
#include "platform/files.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
#include "ui/win32/program_state.h"

namespace {

AlarmCheckState alarmCheck;
SnoozeList snoozes;
// What the settings file holds of the alarms' state: the last second looked
// at there, and whether the snoozes changed since they were written.
std::int64_t lastCheckedWritten = 0;
bool lastCheckedOnDisk = false;
bool snoozesChanged = false;
// A failed save has been said, and no save has succeeded since.
bool saveFailureShown = false;
UtcOffsetAt alarmZoneRule;
// The system's zone as last read: reading it costs registry look-ups, so it
// is read again only after a clock or zone change, or when the clock's own
// offset disagrees with it.
UtcOffsetAt systemZone;

const UtcOffsetAt& ZoneRule(const LocalClockReading& now, std::int64_t nowUtc) {
  if (alarmZoneRule) return alarmZoneRule;
  if (!systemZone || systemZone(nowUtc) != now.utcOffsetSeconds) {
    systemZone = platform::CurrentZoneRule();
  }
  return systemZone;
}

std::string SettingsFile() { return platform::SettingsFilePath(platform::ProgramDirectory()); }

// The program's folder without its trailing backslash (a drive's root keeps it).
std::wstring ProgramFolder() {
  std::wstring folder = platform::WideFromUtf8(platform::ProgramDirectory());
  if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

// The lock's name comes from the folder's identity, so every spelling of it
// meets one lock; the folder rather than the file, which may not exist yet.
// Failing that, from its full path, upper-cased since Windows paths ignore case.
std::wstring OwnerLockName() {
  const std::wstring folder = ProgramFolder();
  win32::File handle(CreateFileW(folder.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (handle && GetFileInformationByHandle(handle.Get(), &info)) {
    const std::uint64_t index =
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return L"Local\\" +
           platform::WideFromUtf8(AlarmOwnerName(info.dwVolumeSerialNumber, index));
  }
  std::wstring full(32768, L'\0');
  const DWORD length = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), &full[0],
                                        nullptr);
  full.resize(length > 0 && length < full.size() ? length : 0);
  if (full.empty()) full = folder;
  CharUpperBuffW(&full[0], static_cast<DWORD>(full.size()));
  // UTF-8 keeps folders apart that code page 932 would spell alike ('?').
  return L"Local\\" + platform::WideFromUtf8(AlarmOwnerName(platform::Utf8FromWide(full)));
}

// Becoming the owner: the file holds the truth now (another clock may have
// saved edits since this one read it at start-up). Taking over from another
// clock, the walk goes on from the second that clock last looked at.
void TakeOver(bool fromAnotherClock) {
  const std::string file = SettingsFile();
  alarmList.Load(file.c_str());
  alarmCheck = AlarmCheckState{};
  snoozes.Load(file.c_str());
  snoozesChanged = false;
  lastCheckedOnDisk = false;
  std::int64_t lastChecked = 0;
  if (ReadLastChecked(file.c_str(), lastChecked)) {
    // A clock that was closed lists what fell due meanwhile; a clock taking
    // over from a running one walks on as that one would have.
    if (fromAnotherClock) {
      alarmCheck.walk.StartAfter(lastChecked);
    } else {
      StartAfterClosed(alarmCheck, lastChecked);
    }
  }
}

// The last second looked at and the snoozes, into the settings file in one
// write: before a notice is shown (so that after a crash or a power cut what
// already rang is not listed as missed, nor a snooze rung twice) and when a
// snooze is added. Never per tick: between two notices nothing fell due.
bool WriteAlarmState() {
  if (alarmList.Unavailable()) return false;
  const bool started = alarmCheck.walk.Started();
  const std::int64_t lastChecked = alarmCheck.walk.LastLookedAt();
  if (!snoozesChanged && (!started || (lastCheckedOnDisk && lastChecked == lastCheckedWritten))) {
    return true;
  }
  if (!snoozes.Save(SettingsFile().c_str(), started ? FormatLastChecked(lastChecked) : "")) {
    return false;
  }
  snoozesChanged = false;
  lastCheckedOnDisk = started;
  lastCheckedWritten = lastChecked;
  return true;
}

void ShowFrontNotice() {
  WriteAlarmState();
  OpenNotificationWindow(SnoozeNotice);
}

}  // namespace

bool OwnsAlarms() {
  static win32::Mutex lock;
  static bool owner = false;
  static bool refusedBefore = false;
  if (owner) return true;
  // A lock that cannot be made owns nothing: the next call tries again.
  if (!lock) lock.Reset(CreateMutexW(nullptr, FALSE, OwnerLockName().c_str()));
  if (!lock) return false;
  // Held by this thread until the process ends; an owner that ended without
  // releasing it leaves it abandoned, which counts as taking it.
  const DWORD taken = WaitForSingleObject(lock.Get(), 0);
  owner = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
  if (!owner) {
    refusedBefore = true;
    return false;
  }
  TakeOver(refusedBefore);
  return true;
}

bool AlarmListAvailable() {
  if (alarmList.Unavailable() && OwnsAlarms()) alarmList.Load(SettingsFile().c_str());
  return !alarmList.Unavailable();
}

bool SaveAlarmList(bool sessionEnding) {
  if (!OwnsAlarms()) return true;
  RearmWakeTimer();  // an editor commit may have changed what comes next
  // A list that could not be read is never saved over the file.
  if (alarmList.Unavailable()) return false;
  const std::string lastChecked =
      alarmCheck.walk.Started() ? FormatLastChecked(alarmCheck.walk.LastLookedAt()) : std::string();
  const bool saved = alarmList.Save(SettingsFile().c_str(), lastChecked);
  if (saved) {
    saveFailureShown = false;
    lastCheckedOnDisk = alarmCheck.walk.Started();
    lastCheckedWritten = alarmCheck.walk.LastLookedAt();
    // A snooze whose own write failed gets another chance.
    WriteAlarmState();
    return true;
  }
  if (sessionEnding) {
    // Windows is ending the session: a message box would hold it up.
    OutputDebugStringW(L"Horalune: the alarms could not be saved at session end\n");
    return false;
  }
  // A failed save leaves the previous file whole and the list in memory; it is
  // said once until a save succeeds, and the next save tries again.
  if (!saveFailureShown) {
    saveFailureShown = true;
    platform::ShowMessage(mainWindow, "アラームを保存できませんでした.\n次の保存でもう一度試みます.",
                          platform::kCaption, platform::MessageKind::Warning);
  }
  return false;
}

void CheckAlarms() {
  if (!OwnsAlarms()) return;
  const LocalClockReading now = ReadLocalClock();
  // Rung snoozes leave the file together with the last second looked at,
  // before their windows open (ShowFrontNotice).
  for (const AlarmNotice& notice : snoozes.TakeDue(UtcSerial(now))) {
    snoozesChanged = true;
    alarmQueue.Push(notice);
  }
  CheckDueAlarms(alarmCheck, alarmList, alarmQueue, now, ElapsedMilliseconds(), ShowFrontNotice);
  RearmWakeTimer();
}

bool SnoozeNotice(const AlarmNotice& notice) {
  if (!OwnsAlarms() || alarmList.Unavailable()) return false;
  const std::string file = SettingsFile();
  const std::int64_t due =
      UtcSerial(ReadLocalClock()) + std::int64_t{60} * ReadSnoozeMinutes(file.c_str());
  if (!snoozes.Add(notice, due)) return false;
  snoozesChanged = true;
  RearmWakeTimer();
  // Kept in memory even when the write fails: it still rings in this run.
  WriteAlarmState();
  return true;
}

WakeTimer& AlarmWakeTimer() {
  static WakeTimer timer(MakeWaitableWakeTimer());
  return timer;
}

void RearmWakeTimer() {
  WakeTimer& timer = AlarmWakeTimer();
  if (!OwnsAlarms() || alarmList.Unavailable()) {
    timer.ArmAt(std::nullopt);
    return;
  }
  const LocalClockReading now = ReadLocalClock();
  const std::int64_t nowLocal = LocalSerial(now);
  // Before its first step the walk will look at this very second too.
  const std::int64_t lastLookedAt =
      alarmCheck.walk.Started() ? alarmCheck.walk.LastLookedAt() : nowLocal - 1;
  const std::int64_t nowUtc = nowLocal - now.utcOffsetSeconds;
  const std::optional<DueMoment> due =
      NextDueMoment(alarmList, lastLookedAt, nowUtc, ZoneRule(now, nowUtc));
  std::optional<std::int64_t> at;
  if (due) at = due->utc;
  // A snoozed notice rings again at its own instant: it wakes the computer too.
  for (const SnoozedNotice& snoozed : snoozes.Entries()) {
    const std::int64_t rings = std::max(snoozed.due, nowUtc);
    at = at ? std::min(*at, rings) : rings;
  }
  timer.ArmAt(at);
}

void ClockOrZoneChanged() {
  systemZone = nullptr;
  CheckAlarms();
}

void SetAlarmZoneRule(UtcOffsetAt rule) { alarmZoneRule = std::move(rule); }

#include "alarm/win32/alarm_service.h"

#include <windows.h>

#include <string>

#include "alarm/alarm_check.h"
#include "alarm/alarm_owner.h"
#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/notification_window.h"
#include "platform/files.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/win32/handles.h"

namespace {

AlarmCheckState alarmCheck;

std::string SettingsFile() { return platform::SettingsFilePath(platform::ProgramDirectory()); }

// The lock's name comes from the settings file's full path, upper-cased since
// Windows paths ignore case.
std::wstring OwnerLockName() {
  const std::wstring path = platform::WideFromUtf8(SettingsFile());
  std::wstring full(32768, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0],
                                        nullptr);
  full.resize(length > 0 && length < full.size() ? length : 0);
  if (full.empty()) full = path;
  CharUpperBuffW(&full[0], static_cast<DWORD>(full.size()));
  // UTF-8 keeps folders apart that code page 932 would spell alike ('?').
  return L"Local\\" + platform::WideFromUtf8(AlarmOwnerName(platform::Utf8FromWide(full)));
}

}  // namespace

bool OwnsAlarms() {
  static win32::Mutex lock;
  static bool owner = false;
  static bool refusedBefore = false;
  if (owner) return true;
  if (!lock) lock.Reset(CreateMutexW(nullptr, FALSE, OwnerLockName().c_str()));
  // Held by this thread until the process ends; an owner that ended without
  // releasing it leaves it abandoned, which counts as taking it.
  const DWORD taken = lock ? WaitForSingleObject(lock.Get(), 0) : WAIT_FAILED;
  owner = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED || !lock;
  if (owner && refusedBefore) {
    // Taking over from another clock: its saves are the truth now.
    alarmList.Load(SettingsFile().c_str());
    alarmCheck = AlarmCheckState{};
  }
  refusedBefore = !owner;
  return owner;
}

bool SaveAlarmList() {
  if (!OwnsAlarms()) return true;
  // A failed save leaves the previous file whole and the list in memory; it is
  // said once, and the next save tries again.
  static bool failureShown = false;
  const bool saved = alarmList.Save(SettingsFile().c_str());
  if (!saved && !failureShown) {
    platform::ShowMessage(nullptr, "アラームを保存できませんでした.\n次の保存でもう一度試みます.",
                          platform::kCaption, platform::MessageKind::Warning);
  }
  failureShown = !saved;
  return saved;
}

void CheckAlarms() {
  if (!OwnsAlarms()) return;
  CheckDueAlarms(alarmCheck, alarmList, alarmQueue, ReadLocalClock(), ElapsedMilliseconds(),
                 OpenNotificationWindow);
}

// Reading and writing the alarm list as keys of Horalune.DAT.
#include "alarm/alarm_keys.h"

#include <cstdio>
#include <new>

#include "alarm/alarm_list.h"
#include "platform/files.h"
#include "platform/profile.h"

const char* const kAlarmSection = "Alarm";

namespace {

// Values are read into a 256-byte buffer: at most 255 bytes of each are used.
constexpr std::size_t kValueBuffer = 256;

std::string ReadAlarmValue(const char* stem, int n, const char* def, const char* path) {
  return platform::ReadProfileString(kAlarmSection, AlarmKeyName(stem, n).c_str(), def, path,
                                     kValueBuffer);
}

}  // namespace

std::string AlarmKeyName(const char* stem, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%02d", stem, n);
  return name;
}

void AlarmList::Load(const char* path) {
  count_ = 0;
  unreadable_ = false;
  if (path == nullptr || *path == '\0') return;
  try {
    LoadKeys(path);
  } catch (const std::bad_alloc&) {
    count_ = 0;
    unreadable_ = true;
  }
}

void AlarmList::LoadKeys(const char* path) {
  for (int n = 0; n < kMaxAlarms; ++n) {
    // "nazo" stands for a key that is not there.
    if (EqualsIgnoringAsciiCase(ReadAlarmValue("Time", n, "nazo", path).c_str(), "nazo")) continue;
    const bool on = EqualsIgnoringAsciiCase(ReadAlarmValue("Switch", n, "off", path).c_str(), "on");
    const std::string key = ReadAlarmValue("Time", n, "999999", path);
    const std::string title = ReadAlarmValue("Title", n, kDefaultAlarmTitle, path);
    const std::string message = ReadAlarmValue("Message", n, kDefaultAlarmMessage, path);
    const std::string voice = ReadAlarmValue("Voice", n, kDefaultAlarmVoice, path);
    // An invalid key drops the alarm; the next one takes its place in the list.
    AppendLoaded(on, key.c_str(), title.c_str(), message.c_str(), voice.c_str());
  }
}

bool AlarmList::Save(const char* path) const {
  if (path == nullptr || *path == '\0' || unreadable_) return false;
  // The start-up notice promises the settings file at exit, alarms or not.
  if (!platform::CreateEmptyFile(path)) return false;
  // Keys are renumbered from 00 on every save; with no alarms the section goes.
  bool written = platform::WriteProfileString(kAlarmSection, nullptr, nullptr, path) ||
                 !platform::FileExists(path);
  for (int i = 0; i < count_; ++i) {
    const AlarmRecord& record = records_[i];
    const auto write = [&](const char* stem, const std::string& value) {
      written = platform::WriteProfileString(kAlarmSection, AlarmKeyName(stem, i).c_str(),
                                             value.c_str(), path) && written;
    };
    write("Switch", record.SwitchOn() ? "on" : "off");
    write("Time", record.FormatTimeKey());
    write("Title", record.Title());
    write("Message", record.Message());
    write("Voice", record.Voice());
  }
  return written;
}

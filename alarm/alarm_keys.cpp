// Reading and writing the alarm list as keys of Horalune.DAT.
#include "alarm/alarm_keys.h"

#include <cstdio>
#include <new>

#include "alarm/alarm_handover.h"
#include "alarm/alarm_list.h"
#include "platform/files.h"
#include "platform/ascii.h"
#include "platform/ini_file.h"

const char* const kAlarmSection = "Alarm";

namespace {

// Values are read into a 256-byte buffer: at most 255 bytes of each are used.
constexpr std::size_t kValueBuffer = 256;

std::string ReadAlarmValue(const platform::IniFile& file, const char* stem, int n,
                           const char* def) {
  return file.GetString(kAlarmSection, AlarmKeyName(stem, n).c_str(), def, kValueBuffer);
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
  // Sharing violations while another program replaces the file pass within
  // milliseconds: a few short retries before calling it unreadable. A file
  // missing while the one written beside it is there is being replaced too.
  constexpr int kReadAttempts = 5;
  const std::string beside = platform::PathWrittenBeside(path);
  const auto busy = [&] {
    return platform::FileExists(path) || platform::FileExists(beside.c_str());
  };
  platform::IniFile file(path);  // read once for all 500 keys
  for (int attempt = 1; !file.Found() && busy(); ++attempt) {
    if (attempt == kReadAttempts) {
      // Still missing: a save that ended half way, not one under way.
      if (!platform::FileExists(path)) break;
      unreadable_ = true;
      return;
    }
    platform::PauseBeforeRetry(attempt);
    file = platform::IniFile(path);
  }
  for (int n = 0; n < kMaxAlarms; ++n) {
    // "nazo" stands for a key that is not there.
    if (ascii::EqualsIgnoringCase(ReadAlarmValue(file, "Time", n, "nazo"), "nazo")) continue;
    const bool on = ascii::EqualsIgnoringCase(ReadAlarmValue(file, "Switch", n, "off"), "on");
    const std::string key = ReadAlarmValue(file, "Time", n, "999999");
    const std::string title = ReadAlarmValue(file, "Title", n, kDefaultAlarmTitle);
    const std::string message = ReadAlarmValue(file, "Message", n, kDefaultAlarmMessage);
    const std::string voice = ReadAlarmValue(file, "Voice", n, kDefaultAlarmVoice);
    // An invalid key drops the alarm; the next one takes its place in the list.
    AppendLoaded(on, key.c_str(), title.c_str(), message.c_str(), voice.c_str());
  }
}

bool AlarmList::Save(const char* path) const { return Save(path, std::string()); }

bool AlarmList::Save(const char* path, const std::string& lastChecked) const {
  if (path == nullptr || *path == '\0' || unreadable_) return false;
  // The start-up notice promises the settings file at exit, alarms or not.
  if (!platform::CreateEmptyFile(path)) return false;
  // One read and one write for the whole list. Keys are renumbered from 00 on
  // every save; with no alarms the section goes.
  platform::IniFile file(path);
  bool written = file.DeleteSection(kAlarmSection);
  for (int i = 0; i < count_; ++i) {
    const AlarmRecord& record = records_[i];
    const auto write = [&](const char* stem, const std::string& value) {
      written = file.Set(kAlarmSection, AlarmKeyName(stem, i).c_str(), value.c_str()) && written;
    };
    write("Switch", record.SwitchOn() ? "on" : "off");
    write("Time", record.FormatTimeKey());
    write("Title", record.Title());
    write("Message", record.Message());
    write("Voice", record.Voice());
  }
  if (!lastChecked.empty()) {
    written = file.Set(kLastCheckedSection, kLastCheckedKey, lastChecked.c_str()) && written;
  }
  // Nothing reaches the file when an edit was refused: a half-made list would.
  return written && file.Save();
}

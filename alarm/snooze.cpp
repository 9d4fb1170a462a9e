#include "alarm/snooze.h"

#include <algorithm>
#include <cstdio>

#include "alarm/alarm_check.h"
#include "alarm/alarm_handover.h"
#include "alarm/alarm_keys.h"
#include "alarm/alarm_walk.h"
#include "platform/files.h"
#include "platform/ini_file.h"

const char* const kSnoozeSection = "Snooze";
const char* const kSnoozeMinutesKey = "SnoozeMinutes";

namespace {

// Values are written in double quotes, which reading takes off again, so
// blanks at either end (the time line ends in one) come back as they were.
// The buffer is far longer than any alarm text, so the platform's way of
// cutting a quoted value that just fits never applies.
constexpr std::size_t kValueBuffer = 1024;

std::string Quoted(const std::string& value) { return '"' + value + '"'; }

// A notice's text is its alarm's time line, then the message: kept as two
// keys, so no line break reaches the file.
const char* const kLineBreak = "\r\n";
const std::string kUtcSuffix = " UTC";

std::string FormatDue(std::int64_t due) { return FormatLastChecked(due) + kUtcSuffix; }

bool ParseDue(const std::string& text, std::int64_t& due) {
  if (text.size() <= kUtcSuffix.size() ||
      text.compare(text.size() - kUtcSuffix.size(), kUtcSuffix.size(), kUtcSuffix) != 0) {
    return false;
  }
  return ParseLastChecked(text.substr(0, text.size() - kUtcSuffix.size()), due);
}

}  // namespace

std::int64_t UtcSerial(const LocalClockReading& reading) {
  return LocalSerial(reading) - reading.utcOffsetSeconds;
}

int SnoozeMinutesFrom(const std::string& value) {
  int minutes = 0;
  char rest = 0;
  if (std::sscanf(value.c_str(), " %d %c", &minutes, &rest) != 1) return kDefaultSnoozeMinutes;
  if (minutes < kFewestSnoozeMinutes || minutes > kMostSnoozeMinutes) return kDefaultSnoozeMinutes;
  return minutes;
}

int ReadSnoozeMinutes(const char* path) {
  if (path == nullptr || *path == '\0') return kDefaultSnoozeMinutes;
  const platform::IniFile file(path);
  return SnoozeMinutesFrom(file.GetString(kLastCheckedSection, kSnoozeMinutesKey, ""));
}

bool SnoozeList::Add(const AlarmNotice& notice, std::int64_t due) {
  if (!notice.summarised.empty() || static_cast<int>(entries_.size()) >= kMostSnoozes) {
    return false;
  }
  SnoozedNotice entry;
  entry.due = due;
  entry.notice = notice;
  entry.notice.silent = false;
  entry.notice.serial = due;
  entry.notice.identity = AlarmIdentity{};  // no longer an alarm of the list
  const auto at = std::upper_bound(
      entries_.begin(), entries_.end(), due,
      [](std::int64_t value, const SnoozedNotice& other) { return value < other.due; });
  entries_.insert(at, std::move(entry));
  return true;
}

std::vector<AlarmNotice> SnoozeList::TakeDue(std::int64_t nowUtc) {
  std::vector<AlarmNotice> due;
  auto end = entries_.begin();
  for (; end != entries_.end() && end->due <= nowUtc; ++end) {
    AlarmNotice notice = end->notice;
    notice.silent = (nowUtc - end->due) * 1000 >= kSilentAfterMs;
    due.push_back(std::move(notice));
  }
  entries_.erase(entries_.begin(), end);
  return due;
}

void SnoozeList::Load(const char* path) {
  entries_.clear();
  if (path == nullptr || *path == '\0') return;
  const platform::IniFile file(path);
  for (int n = 0; n < kMostSnoozes; ++n) {
    const auto read = [&](const char* stem) {
      return file.GetString(kSnoozeSection, AlarmKeyName(stem, n).c_str(), "", kValueBuffer);
    };
    std::int64_t due = 0;
    if (!ParseDue(read("Due"), due)) continue;
    AlarmNotice notice;
    notice.title = read("Title");
    notice.text = read("Time") + kLineBreak + read("Message");
    notice.voice = read("Voice");
    Add(notice, due);
  }
}

bool SnoozeList::Save(const char* path, const std::string& lastChecked) const {
  if (path == nullptr || *path == '\0') return false;
  if (!platform::CreateEmptyFile(path)) return false;
  platform::IniFile file(path);
  bool written = file.DeleteSection(kSnoozeSection);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const AlarmNotice& notice = entries_[i].notice;
    const std::size_t split = notice.text.find(kLineBreak);
    std::string time = notice.text.substr(0, split);
    std::string message =
        split == std::string::npos ? std::string() : notice.text.substr(split + 2);
    // Texts come from one-line alarm values; any other break becomes a blank.
    std::replace(message.begin(), message.end(), '\r', ' ');
    std::replace(message.begin(), message.end(), '\n', ' ');
    const int n = static_cast<int>(i);
    const auto write = [&](const char* stem, const std::string& value) {
      written = file.Set(kSnoozeSection, AlarmKeyName(stem, n).c_str(), value.c_str()) && written;
    };
    write("Due", FormatDue(entries_[i].due));
    write("Title", Quoted(notice.title));
    write("Time", Quoted(time));
    write("Message", Quoted(message));
    write("Voice", Quoted(notice.voice));
  }
  if (!lastChecked.empty()) {
    written = file.Set(kLastCheckedSection, kLastCheckedKey, lastChecked.c_str()) && written;
  }
  return written && file.Save();
}

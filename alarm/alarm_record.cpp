#include "alarm/alarm_record.h"
#include "platform/ascii.h"

#include <climits>
#include <cstdio>

const char* const kDefaultAlarmTitle = "未タイトルのメッセージ";
const char* const kDefaultAlarmMessage = "登録メッセージ無し";
const char* const kDefaultAlarmVoice = "default";

const char* const kWeekdayPrefixes[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atol's reading; a value past the range of long saturates (as strtol does)
// instead of wrapping, so that no huge number can wrap into a valid time.
long ReadLikeAtol(const char* p) {
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const int digit = *p - '0';
    if (!negative) {
      if (value > (LONG_MAX - digit) / 10) return LONG_MAX;
      value = value * 10 + digit;
    } else {
      if (value < (LONG_MIN + digit) / 10) return LONG_MIN;
      value = value * 10 - digit;
    }
  }
  return value;
}

const char* TextOrDefault(const char* text, const char* fallback) {
  return (text == nullptr || *text == '\0') ? fallback : text;
}

}  // namespace


bool ParseTimeKey(const char* key, TimeOfAlarm& out) {
  if (key == nullptr) key = "";
  int weekday = kEveryDay;
  for (int day = 0; day < 7; ++day) {
    if (ascii::StartsWithIgnoringCase(key, kWeekdayPrefixes[day])) {
      weekday = day;
      key += 3;
      break;
    }
  }
  const long n = ReadLikeAtol(key);
  if (n < 0 || n > 235959) return false;
  const int hour = static_cast<int>(n / 10000);
  const int minute = static_cast<int>((n - hour * 10000L) / 100);
  const int second = static_cast<int>(n - hour * 10000L - minute * 100L);
  if (hour > 23 || minute > 59 || second > 59) return false;
  out = TimeOfAlarm{weekday, hour, minute, second};
  return true;
}

std::string FormatTimeKey(const TimeOfAlarm& time) {
  const char* prefix =
      (time.weekday >= 0 && time.weekday < 7) ? kWeekdayPrefixes[time.weekday] : "";
  char text[32];
  std::snprintf(text, sizeof text, "%s%02d%02d%02d", prefix, time.hour, time.minute,
                time.second);
  return text;
}

void AlarmRecord::Clear() {
  title_.clear();
  message_.clear();
  voice_.clear();
  title_.shrink_to_fit();
  message_.shrink_to_fit();
  voice_.shrink_to_fit();
  holdsTexts_ = false;
  switchOn_ = false;
  time_.hour = time_.minute = time_.second = 0;
}

bool AlarmRecord::Assign(bool switchOn, const char* timeKey, const char* title,
                         const char* message, const char* voice) {
  // The arguments may be this record's own texts: copy them before clearing.
  std::string newTitle = TextOrDefault(title, kDefaultAlarmTitle);
  std::string newMessage = TextOrDefault(message, kDefaultAlarmMessage);
  std::string newVoice = TextOrDefault(voice, kDefaultAlarmVoice);
  const std::string key = timeKey ? timeKey : "";
  Clear();
  switchOn_ = switchOn;
  if (!ParseTimeKey(key.c_str(), time_)) return false;
  title_ = std::move(newTitle);
  message_ = std::move(newMessage);
  voice_ = std::move(newVoice);
  holdsTexts_ = true;
  return true;
}

bool AlarmRecord::AssignFrom(const AlarmRecord& source) {
  if (!source.holdsTexts_) {
    Clear();
    return false;
  }
  return Assign(source.switchOn_, source.FormatTimeKey().c_str(), source.title_.c_str(),
                source.message_.c_str(), source.voice_.c_str());
}

std::string AlarmRecord::FormatTimeKey() const { return ::FormatTimeKey(time_); }

std::string AlarmRecord::NotificationText() const {
  static const char* const words[7] = {"Sun ", "Mon ", "Tue ", "Wed ", "Thu ", "Fri ", "Sat "};
  const char* word = (time_.weekday >= 0 && time_.weekday < 7) ? words[time_.weekday] : "";
  char head[32];
  std::snprintf(head, sizeof head, "%02d:%02d:%02d %s\r\n", time_.hour, time_.minute,
                time_.second, word);
  return head + message_;
}

bool AlarmRecord::IsDue(int weekday, int timeCode) const {
  return holdsTexts_ && switchOn_ && TimeCode() == timeCode &&
         (time_.weekday == kEveryDay || time_.weekday == weekday);
}

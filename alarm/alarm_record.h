// One alarm: a time of day to the second on one weekday or every day, a switch,
// and three texts (title, message, voice file). All texts are code page 932.
#pragma once
#include <string>

// The texts an alarm falls back on when a value is empty or missing.
extern const char* const kDefaultAlarmTitle;    // "未タイトルのメッセージ"
extern const char* const kDefaultAlarmMessage;  // "登録メッセージ無し"
extern const char* const kDefaultAlarmVoice;    // "default"

constexpr int kEveryDay = 7;

// The weekday prefixes of a time key, Sunday first.
extern const char* const kWeekdayPrefixes[7];

struct TimeOfAlarm {
  int weekday = kEveryDay;  // 0 Sunday .. 6 Saturday, 7 every day
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Reads a time key: an optional "Sun".."Sat" prefix (ASCII case ignored), then a
// number read as atol reads it, split as HHMMSS. False (and `out` untouched)
// when the time is out of range; a negative or overflowing number never fits.
bool ParseTimeKey(const char* key, TimeOfAlarm& out);

// "Mon083000", or "235959" for every day.
std::string FormatTimeKey(const TimeOfAlarm& time);

class AlarmRecord {
 public:
  // Empties the record, then fills it when the key is valid. Empty texts take
  // their defaults. On an invalid key the record stays empty and false returns.
  bool Assign(bool switchOn, const char* timeKey, const char* title, const char* message,
              const char* voice);
  void Clear();

  // Copies another record the one way records are copied: through its key.
  bool AssignFrom(const AlarmRecord& source);

  std::string FormatTimeKey() const;
  // "HH:MM:SS " + weekday word + CR LF + message.
  std::string NotificationText() const;

  bool SwitchOn() const { return switchOn_; }
  bool HoldsTexts() const { return holdsTexts_; }
  const std::string& Title() const { return title_; }
  const std::string& Message() const { return message_; }
  const std::string& Voice() const { return voice_; }
  int Weekday() const { return time_.weekday; }
  int Hour() const { return time_.hour; }
  int Minute() const { return time_.minute; }
  int Second() const { return time_.second; }
  int TimeCode() const { return time_.hour * 10000 + time_.minute * 100 + time_.second; }

  // Due at this weekday and time code: on, the same second, the day matches.
  bool IsDue(int weekday, int timeCode) const;

 private:
  bool switchOn_ = false;
  bool holdsTexts_ = false;
  std::string title_;
  std::string message_;
  std::string voice_;
  TimeOfAlarm time_{0, 0, 0, 0};  // a new record reads weekday 0, 00:00:00
};

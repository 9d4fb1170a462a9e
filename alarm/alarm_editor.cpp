#include "alarm/alarm_editor.h"

#include <cstdio>

#include "alarm/alarm_list.h"
#include "platform/text.h"
#include "platform/ascii.h"

const char* const kWeekdayItems[8] = {"everyday", "Sunday",   "Monday", "Tuesday",
                                      "Wednesday", "Thursday", "Friday", "Saturday"};

namespace {

// The dialog reads each edit into a 255-byte buffer.
constexpr std::size_t kEditBytes = 254;

bool ChangedFrom(const std::string& text, const char* fallback) {
  return !text.empty() && text != fallback;
}

}  // namespace

const char* WeekdayItemText(int weekday) {
  return (weekday >= 0 && weekday < 7) ? kWeekdayItems[weekday + 1] : kWeekdayItems[0];
}

std::string FormTimeKey(const AlarmForm& form) {
  std::string key;
  if (!ascii::EqualsIgnoringCase(form.weekday, "everyday")) key = form.weekday.substr(0, 3);
  return key + form.hour + form.minute + form.second;
}

void AlarmEditor::Open() {
  current_ = 0;
  list_.BeginEdit();
}

AlarmForm AlarmEditor::Shown() const {
  AlarmForm form;
  if (list_.WorkingCount() == 0) {
    form.voice = kDefaultAlarmVoice;
    form.title = kDefaultAlarmTitle;
    form.message = kDefaultAlarmMessage;
    return form;
  }
  form.switchOn = list_.WorkingSwitch(current_);
  form.hour = list_.WorkingHourText(current_);
  form.minute = list_.WorkingMinuteText(current_);
  form.second = list_.WorkingSecondText(current_);
  form.weekday = WeekdayItemText(list_.WorkingWeekday(current_));
  form.title = list_.WorkingTitle(current_);
  form.message = list_.WorkingMessage(current_);
  form.voice = list_.WorkingVoice(current_);
  return form;
}

std::string AlarmEditor::Counter() const {
  if (list_.WorkingCount() == 0) return ">> No Data. ";
  if (current_ == kMaxAlarms - 1) return "No. 100 (Max)";
  char text[64];
  std::snprintf(text, sizeof text, "No. %03d/%03d", current_ + 1, list_.WorkingCount());
  return text;
}

void AlarmEditor::Store(const AlarmForm& form) {
  const std::string title = platform::CutAtCharBoundary(form.title, kEditBytes);
  const std::string message = platform::CutAtCharBoundary(form.message, kEditBytes);
  const std::string voice = platform::CutAtCharBoundary(form.voice, kEditBytes);
  const std::string key = FormTimeKey(form);
  if (list_.WorkingCount() > 0) {
    list_.StoreWorking(current_, form.switchOn, key.c_str(), title.c_str(), message.c_str(),
                       voice.c_str());
    return;
  }
  const bool changed = ChangedFrom(title, kDefaultAlarmTitle) ||
                       ChangedFrom(message, kDefaultAlarmMessage) ||
                       ChangedFrom(voice, kDefaultAlarmVoice) || key != "000000";
  if (!form.switchOn && !changed) return;
  list_.AddWorking();
  list_.StoreWorking(0, form.switchOn, key.c_str(), title.c_str(), message.c_str(),
                     voice.c_str());
  current_ = 0;
}

bool AlarmEditor::Back(const AlarmForm& form) {
  if (list_.WorkingCount() == 0) return false;
  Store(form);
  if (current_ > 0) --current_;
  return true;
}

bool AlarmEditor::Next(const AlarmForm& form) {
  if (list_.WorkingCount() == 0) return false;
  Store(form);
  if (current_ < list_.WorkingCount() - 1) ++current_;
  return true;
}

void AlarmEditor::Add(const AlarmForm& form) {
  if (list_.WorkingCount() == 0) {
    list_.AddWorking();
    current_ = 0;
    Store(form);
    return;
  }
  list_.AddWorking();  // fails at 100: the form still goes into the shown record
  Store(form);
  current_ = list_.WorkingCount() - 1;
  if (current_ > kMaxAlarms - 1) current_ = kMaxAlarms - 1;
}

bool AlarmEditor::Delete() {
  if (!list_.DeleteWorking(current_)) return false;
  if (current_ >= list_.WorkingCount()) current_ = list_.WorkingCount() - 1;
  return true;
}

void AlarmEditor::Apply(const AlarmForm& form) {
  Store(form);
  list_.EndEdit(true);
  list_.BeginEdit();
  if (current_ >= list_.WorkingCount()) current_ = list_.WorkingCount() - 1;
}

void AlarmEditor::Ok(const AlarmForm& form) {
  Store(form);
  list_.EndEdit(true);
}

void AlarmEditor::Cancel() { list_.EndEdit(false); }

#include "alarm/alarm_list.h"

#include <cstdio>

#include "platform/files.h"

namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string OneLine(const char* text) {
  std::string line = text ? text : "";
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

}  // namespace

AlarmList::AlarmList() {
  const std::string directory = platform::ProgramDirectory();
  if (!directory.empty()) Load(platform::SettingsFilePath(directory).c_str());
}

AlarmList::AlarmList(const char* path) {
  if (path != nullptr && *path != '\0') Load(path);
}

AlarmList::~AlarmList() = default;

bool AlarmList::AppendLoaded(bool switchOn, const char* timeKey, const char* title,
                             const char* message, const char* voice) {
  if (count_ >= kMaxAlarms) return false;
  if (!records_[count_].Assign(switchOn, timeKey, title, message, voice)) return false;
  ++count_;
  return true;
}

const AlarmRecord* AlarmList::Active(int i) const {
  return (i >= 0 && i < count_) ? &records_[i] : nullptr;
}

std::string AlarmList::Title(int i) const {
  const AlarmRecord* record = Active(i);
  return record ? record->Title() : std::string();
}

std::string AlarmList::Voice(int i) const {
  const AlarmRecord* record = Active(i);
  return record ? record->Voice() : std::string();
}

std::string AlarmList::NotificationText(int i) const {
  const AlarmRecord* record = Active(i);
  return record ? record->NotificationText() : std::string();
}

void AlarmList::BeginEdit() {
  working_ = std::make_unique<std::array<AlarmRecord, kMaxAlarms>>();
  workingCount_ = 0;
  for (int i = 0; i < count_; ++i) {
    if ((*working_)[workingCount_].AssignFrom(records_[i])) ++workingCount_;
  }
}

bool AlarmList::AddWorking() {
  if (!working_ || workingCount_ >= kMaxAlarms) return false;
  if (!(*working_)[workingCount_].Assign(false, "000000", "", "", "")) return false;
  ++workingCount_;
  return true;
}

bool AlarmList::DeleteWorking(int i) {
  if (!working_ || workingCount_ == 0 || i < 0 || i >= workingCount_) return false;
  for (int j = i + 1; j < workingCount_; ++j) (*working_)[j - 1].AssignFrom((*working_)[j]);
  --workingCount_;
  (*working_)[workingCount_].Clear();
  return true;
}

bool AlarmList::StoreWorking(int i, bool switchOn, const char* timeKey, const char* title,
                             const char* message, const char* voice) {
  if (!working_ || i < 0 || i >= workingCount_) return false;
  // A key the form cannot produce leaves the record as it was, rather than a
  // counted record without texts.
  TimeOfAlarm time;
  if (!ParseTimeKey(timeKey, time)) return false;
  // Typed texts become single lines: a line break inside a value would end the
  // value in the file and start a line of its own there.
  return (*working_)[i].Assign(switchOn, timeKey, OneLine(title).c_str(),
                               OneLine(message).c_str(), OneLine(voice).c_str());
}

const AlarmRecord* AlarmList::WorkingRecord(int i) const {
  return (working_ && i >= 0 && i < workingCount_) ? &(*working_)[i] : nullptr;
}

std::string AlarmList::WorkingHourText(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return TwoDigits(record ? record->Hour() : 0);
}

std::string AlarmList::WorkingMinuteText(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return TwoDigits(record ? record->Minute() : 0);
}

std::string AlarmList::WorkingSecondText(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return TwoDigits(record ? record->Second() : 0);
}

int AlarmList::WorkingWeekday(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return record ? record->Weekday() : kEveryDay;
}

bool AlarmList::WorkingSwitch(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return record && record->SwitchOn();
}

std::string AlarmList::WorkingTitle(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return record ? record->Title() : std::string(kDefaultAlarmTitle);
}

std::string AlarmList::WorkingMessage(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return record ? record->Message() : std::string(kDefaultAlarmMessage);
}

std::string AlarmList::WorkingVoice(int i) const {
  const AlarmRecord* record = WorkingRecord(i);
  return record ? record->Voice() : std::string(kDefaultAlarmVoice);
}

void AlarmList::EndEdit(bool commit) {
  if (!working_) return;
  if (commit) {
    int filled = 0;
    for (int i = 0; i < workingCount_; ++i) {
      if (records_[filled].AssignFrom((*working_)[i])) ++filled;
    }
    count_ = filled;
  }
  working_.reset();
  workingCount_ = 0;
}

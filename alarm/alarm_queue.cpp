#include "alarm/alarm_queue.h"

#include "alarm/alarm_record.h"

bool MakeAlarmNotice(const AlarmRecord& record, bool silent, AlarmNotice& out) {
  if (!record.HoldsTexts()) return false;
  out.title = record.Title();
  out.text = record.NotificationText();
  out.voice = record.Voice();
  out.weekday = record.Weekday();
  out.timeCode = record.TimeCode();
  out.silent = silent;
  return true;
}

AlarmQueue::AlarmQueue() = default;
AlarmQueue::~AlarmQueue() = default;

void AlarmQueue::Push(const AlarmNotice& notice) {
  if (Length() >= kCapacity) return;
  entries_.push_back(notice);
}

bool AlarmQueue::Pop() {
  if (entries_.empty()) return false;
  entries_.pop_front();
  return true;
}

const AlarmNotice* AlarmQueue::Front() const {
  return entries_.empty() ? nullptr : &entries_.front();
}

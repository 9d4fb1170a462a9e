#include "alarm/alarm_queue.h"

AlarmQueue::AlarmQueue() {
  for (std::int8_t& entry : entries_) entry = -1;
}

AlarmQueue::~AlarmQueue() = default;

void AlarmQueue::Push(int index) {
  // Indices are alarm positions 0..99; anything else could not be stored.
  if (length_ >= kCapacity || index < 0 || index > 127) return;
  entries_[length_++] = static_cast<std::int8_t>(index);
}

int AlarmQueue::Pop() {
  if (length_ == 0) return -1;
  const int front = entries_[0];
  for (int i = 1; i < kCapacity + 1; ++i) entries_[i - 1] = entries_[i];
  entries_[kCapacity] = -1;
  --length_;
  return front;
}

int AlarmQueue::Front() const { return length_ == 0 ? -1 : entries_[0]; }

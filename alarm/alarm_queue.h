// First-in, first-out queue of due alarm indices waiting for their notification
// window. 100 entries; an index pushed onto a full queue is dropped.
#pragma once
#include <cstdint>

class AlarmQueue {
 public:
  static constexpr int kCapacity = 100;

  AlarmQueue();
  virtual ~AlarmQueue();

  void Push(int index);
  int Pop();          // front index, or -1 when empty
  int Front() const;  // -1 when empty
  bool IsEmpty() const { return length_ == 0; }
  int Length() const { return length_; }

 private:
  int length_ = 0;
  // Every byte not holding an entry, and the extra last one, holds -1.
  std::int8_t entries_[kCapacity + 1];
};

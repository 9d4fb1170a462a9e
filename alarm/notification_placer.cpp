#include "alarm/notification_placer.h"

#include <utility>

NotificationPlacer::NotificationPlacer(WorkAreaReader reader) : reader_(std::move(reader)) {
  if (reader_) workArea_ = reader_();
  Recentre();
}

NotificationPlacer::~NotificationPlacer() = default;

void NotificationPlacer::Recentre() {
  x_ = (workArea_.left + workArea_.right) / 2 - kWidth / 2 - 5;
  y_ = (workArea_.top + workArea_.bottom) / 2 - kHeight / 2 - 5;
}

NotificationPlacer::Position NotificationPlacer::Next() {
  if (reader_) workArea_ = reader_();
  if (openCount_ == 0) Recentre();
  x_ += 16;
  y_ += 16;
  bool limitedX = false;
  bool limitedY = false;
  if (x_ > workArea_.right - kWidth) {
    x_ = workArea_.right - kWidth;
    limitedX = true;
  }
  if (y_ > workArea_.bottom - kHeight) {
    y_ = workArea_.bottom - kHeight;
    limitedY = true;
  }
  if (limitedX && limitedY) {
    x_ = workArea_.left;
    y_ = workArea_.top;
  }
  return Position{x_, y_};
}

void NotificationPlacer::Opened() {
  if (openCount_ < 100) ++openCount_;
}

void NotificationPlacer::Closed() {
  if (openCount_ > 0) --openCount_;
}

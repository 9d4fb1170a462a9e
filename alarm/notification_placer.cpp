#include "alarm/notification_placer.h"

#include <utility>

NotificationPlacer::NotificationPlacer(WorkAreaReader reader) : reader_(std::move(reader)) {
  if (reader_) workArea_ = reader_();
  Recentre(kWidth, kHeight);
}

NotificationPlacer::~NotificationPlacer() = default;

void NotificationPlacer::Recentre(int width, int height) {
  x_ = (workArea_.left + workArea_.right) / 2 - width / 2 - 5;
  y_ = (workArea_.top + workArea_.bottom) / 2 - height / 2 - 5;
}

NotificationPlacer::Position NotificationPlacer::Next(int dpi) {
  dpi = ClampDpi(dpi);
  const int width = ScaleByDpi(kWidth, dpi), height = ScaleByDpi(kHeight, dpi);
  const int step = ScaleByDpi(16, dpi);
  if (reader_) workArea_ = reader_();
  if (openCount_ == 0) Recentre(width, height);
  x_ += step;
  y_ += step;
  bool limitedX = false;
  bool limitedY = false;
  if (x_ > workArea_.right - width) {
    x_ = workArea_.right - width;
    limitedX = true;
  }
  if (y_ > workArea_.bottom - height) {
    y_ = workArea_.bottom - height;
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

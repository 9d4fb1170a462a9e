// Where the next alarm notification window goes: 16 pixels right of and below
// the last one (lengths in 96-dpi pixels, scaled to the screen's dpi), starting near the middle of the work area, sliding along the
// right or bottom edge and starting over at the top-left corner.
#pragma once
#include <functional>

#include "platform/screen_rect.h"
#include "skin/display_scale.h"

using WorkArea = ScreenRect;

class NotificationPlacer {
 public:
  // The reader gives the desktop work area; it is asked on construction and on
  // every Next().
  using WorkAreaReader = std::function<WorkArea()>;

  explicit NotificationPlacer(WorkAreaReader reader);
  virtual ~NotificationPlacer();

  struct Position {
    int x;
    int y;
  };
  Position Next(int dpi = kBaseDpi);
  void Opened();
  void Closed();

  int OpenCount() const { return openCount_; }
  int X() const { return x_; }
  int Y() const { return y_; }

  static constexpr int kWidth = 200;   // the size a notification window is
  static constexpr int kHeight = 156;  // taken to have

 private:
  void Recentre(int width, int height);

  WorkAreaReader reader_;
  WorkArea workArea_;
  int x_ = 0;
  int y_ = 0;
  int openCount_ = 0;
};

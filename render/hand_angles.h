// Hand angles in degrees, clockwise from 12 o'clock, before reduction into
// [0, 360). The hour hand moves on with every second (1/120 degree), the
// minute hand in whole minutes.
#pragma once

// The single-precision values nearest 1/60 and 1/12.
constexpr float kOneSixtieth = 1.0f / 60.0f;
constexpr float kOneTwelfth = 1.0f / 12.0f;

inline float SecondHandAngle(int second) { return static_cast<float>(second * 6); }

inline float MinuteHandAngle(int minute) { return static_cast<float>(minute * 6); }

// Evaluated in double from single-precision operands, rounded to float once;
// reaches just under 720 in the afternoon.
inline float HourHandAngle(int hour, int minute, int second) {
  const double s = SecondHandAngle(second);
  const double m = MinuteHandAngle(minute);
  return static_cast<float>(static_cast<double>(hour * 30) +
                            (s * static_cast<double>(kOneSixtieth) + m) *
                                static_cast<double>(kOneTwelfth));
}

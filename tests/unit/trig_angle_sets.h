// The arguments a turned layer hands to the sine and cosine: every angle the
// three hands take in a day, and random angles, each reduced into [0, 360)
// and turned into radians exactly as the drawing does.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/hand_angles.h"
#include "render/span_table.h"

namespace trig_test {

inline double Radians(float reducedDegrees) {
  return static_cast<double>(reducedDegrees) * kRadiansPerDegree;
}

// Distinct reduced angles of a day, in increasing order. Afternoon hour
// angles round differently from the morning ones, so all 24 hours count.
inline std::vector<float> DayAngles() {
  std::vector<float> angles;
  for (int hour = 0; hour < 24; ++hour)
    for (int minute = 0; minute < 60; ++minute)
      for (int second = 0; second < 60; ++second)
        angles.push_back(ReduceAngle(HourHandAngle(hour, minute, second)));
  for (int step = 0; step < 60; ++step) {
    angles.push_back(ReduceAngle(MinuteHandAngle(step)));
    angles.push_back(ReduceAngle(SecondHandAngle(step)));
  }
  std::sort(angles.begin(), angles.end());
  angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
  return angles;
}

// splitmix64: the same sequence from every compiler and library.
struct SplitMix {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
};

// Random angles in [0, 360), as reduced floats.
inline std::vector<float> RandomAngles(std::size_t count, std::uint64_t seed) {
  SplitMix rng{seed};
  std::vector<float> angles(count);
  for (float& a : angles) {
    const double unit = static_cast<double>(rng.Next() >> 11) * 0x1p-53;
    a = ReduceAngle(static_cast<float>(unit * 360.0));
  }
  return angles;
}

// Arguments beyond the drawing's range, up to the largest doubles, either
// sign: the slow path answers them.
inline std::vector<double> FarArguments(std::size_t count, std::uint64_t seed) {
  SplitMix rng{seed};
  std::vector<double> arguments(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double unit = static_cast<double>(rng.Next() >> 11) * 0x1p-53;
    const int exponent = 4 + static_cast<int>(rng.Next() % 1020);  // 8 <= |x| < 2^1024
    const double x = std::ldexp(unit + 1.0, exponent - 1);
    arguments[i] = i % 2 == 0 ? x : -x;
  }
  return arguments;
}

constexpr std::uint64_t kRandomSeed = 20261207;
constexpr std::size_t kRandomCount = 1000000;
constexpr std::size_t kFarCount = 2000;

}  // namespace trig_test

// ExactSin and ExactCos give the same bits in every build: a digest of every
// argument a day of drawing produces, of a million random ones and of far-out
// ones, against the value that the native build proves right against MPFR.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "render/exact_trig.h"
#include "unit/trig_angle_sets.h"

namespace {

struct Digest {
  std::uint64_t hash = 0xCBF29CE484222325u;
  void Add(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xFFu;
      hash *= 0x100000001B3u;
    }
  }
  void AddAngles(const std::vector<float>& angles) {
    for (float a : angles) {
      const double r = trig_test::Radians(a);
      Add(ExactSin(r));
      Add(ExactCos(r));
    }
  }
};

TEST(ExactTrig, SameBitsInEveryBuild) {
  Digest day;
  day.AddAngles(trig_test::DayAngles());
  EXPECT_EQ(day.hash, 0x635cdbb65bc8def6u) << std::hex << day.hash;
  Digest random;
  random.AddAngles(trig_test::RandomAngles(trig_test::kRandomCount, trig_test::kRandomSeed));
  EXPECT_EQ(random.hash, 0x7a159635d2aeac08u) << std::hex << random.hash;
  Digest far;
  for (double x : trig_test::FarArguments(trig_test::kFarCount, trig_test::kRandomSeed)) {
    far.Add(ExactSin(x));
    far.Add(ExactCos(x));
  }
  EXPECT_EQ(far.hash, 0xf02e78a11ccfd20bu) << std::hex << far.hash;
}

TEST(ExactTrig, BadArgumentsStaySafe) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {nan, inf, -inf}) {
    EXPECT_TRUE(std::isnan(ExactSin(x)));
    EXPECT_TRUE(std::isnan(ExactCos(x)));
  }
  // Signed zeros and the smallest values come back as the sine itself.
  EXPECT_TRUE(std::signbit(ExactSin(-0.0)));
  EXPECT_EQ(ExactSin(std::numeric_limits<double>::denorm_min()), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ExactCos(-std::numeric_limits<double>::denorm_min()), 1.0);
  // Far-out arguments take the slow path; they still land on the unit circle
  // and keep the symmetries.
  for (double x : {9.0, -1e6, 0x1p60, 1e300, -std::numeric_limits<double>::max()}) {
    const double s = ExactSin(x), c = ExactCos(x);
    EXPECT_NEAR(s * s + c * c, 1.0, 1e-15) << x;
    EXPECT_EQ(ExactSin(-x), -s) << x;
    EXPECT_EQ(ExactCos(-x), c) << x;
  }
}

}  // namespace

// ExactSin and ExactCos against MPFR's correctly rounded sine and cosine.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <vector>

#include "render/exact_trig.h"
#include "render/trig_multiprecision.h"
#include "unit/trig_angle_sets.h"

namespace {

double Mpfr(double x, int (*function)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
  mpfr_t a, r;
  mpfr_inits2(53, a, r, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(a, x, MPFR_RNDN);
  function(r, a, MPFR_RNDN);
  const double d = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clears(a, r, static_cast<mpfr_ptr>(nullptr));
  return d;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Tally {
  std::size_t wrong = 0;
  std::size_t libraryDiffers = 0;  // the C library's sin/cos, for information
  void Check(double x, double (*exact)(double), int (*reference)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t),
             double (*library)(double), const char* name) {
    const double want = Mpfr(x, reference);
    const double got = exact(x);
    if (!SameBits(got, want) && ++wrong <= 5) {
      ADD_FAILURE() << name << "(" << std::hexfloat << x << ") = " << got << ", want " << want;
    }
    if (library != nullptr && !SameBits(library(x), want)) ++libraryDiffers;
  }
  void Both(double x, double (*sinFn)(double), double (*cosFn)(double)) {
    Check(x, sinFn, mpfr_sin, [](double v) { return std::sin(v); }, "sin");
    Check(x, cosFn, mpfr_cos, [](double v) { return std::cos(v); }, "cos");
  }
};

void CheckAngles(const std::vector<float>& angles, const char* what) {
  Tally tally;
  for (float a : angles) {
    const double r = trig_test::Radians(a);
    tally.Both(r, ExactSin, ExactCos);
    tally.Both(-r, ExactSin, ExactCos);  // the drawing maps frame pixels back by -r
  }
  EXPECT_EQ(tally.wrong, 0u);
  std::printf("%zu %s: the C library's sin/cos miss the nearest double %zu times in %zu\n",
              angles.size(), what, tally.libraryDiffers, 4 * angles.size());
}

TEST(ExactTrigAgainstMpfr, EveryAngleOfADay) {
  const std::vector<float> angles = trig_test::DayAngles();
  EXPECT_GT(angles.size(), 70000u);
  CheckAngles(angles, "angles of a day");
}

TEST(ExactTrigAgainstMpfr, AMillionRandomAngles) {
  CheckAngles(trig_test::RandomAngles(trig_test::kRandomCount, trig_test::kRandomSeed), "random angles");
}

// Next to multiples of pi/2 the reduction cancels most bits; near 2^-28 the
// shortcut ends; beyond 8 and for huge values only the slow path answers.
TEST(ExactTrigAgainstMpfr, HardArguments) {
  Tally tally;
  for (int k = -6; k <= 6; ++k) {
    double x = std::nextafter(k * 1.5707963267948966, 0.0);
    for (int i = 0; i < 40; ++i) x = std::nextafter(x, -1e300);
    for (int i = 0; i < 80; ++i, x = std::nextafter(x, 1e300)) tally.Both(x, ExactSin, ExactCos);
  }
  for (double x = 0x1p-30; x < 0x1p-26; x *= 1.0625) {
    for (double s : {x, -x, std::nextafter(x, 0.0)}) tally.Both(s, ExactSin, ExactCos);
  }
  trig_test::SplitMix rng{7};
  for (int i = 0; i < 1000; ++i) {
    const double unit = static_cast<double>(rng.Next() >> 11) * 0x1p-53;
    const double x = std::ldexp(unit + 0.5, static_cast<int>(rng.Next() % 40) - 36);  // 2^-37 .. 4
    tally.Both((i % 2 == 0) ? x : -x, ExactSin, ExactCos);
  }
  for (double x : trig_test::FarArguments(trig_test::kFarCount, trig_test::kRandomSeed)) {
    tally.Both(x, ExactSin, ExactCos);
  }
  EXPECT_EQ(tally.wrong, 0u);
}

// The slow path on its own, where the quick path normally answers.
TEST(ExactTrigAgainstMpfr, MultiPrecisionPathAlone) {
  Tally tally;
  trig_test::SplitMix rng{11};
  for (int i = 0; i < 4000; ++i) {
    const double x = (static_cast<double>(rng.Next() >> 11) * 0x1p-53 - 0.5) * 16.0;
    tally.Both(x, MultiPrecisionSin, MultiPrecisionCos);
  }
  tally.Both(0x1p-28, MultiPrecisionSin, MultiPrecisionCos);
  tally.Both(0x1.fffffffffffffp1023, MultiPrecisionSin, MultiPrecisionCos);
  EXPECT_EQ(tally.wrong, 0u);
}

}  // namespace

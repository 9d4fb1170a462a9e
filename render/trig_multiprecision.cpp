#include "render/trig_multiprecision.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "render/big_natural.h"

namespace {

// atan(1/m) * 2^bits, alternating series; off by at most one unit per term.
BigNatural ArctanOfInverse(std::uint32_t m, int bits) {
  BigNatural power = BigNatural::PowerOfTwo(bits).DividedBy(m);
  BigNatural sum = power;
  for (std::uint32_t n = 1;; ++n) {
    power = power.DividedBy(m * m);
    const BigNatural term = power.DividedBy(2 * n + 1);
    if (term.IsZero()) break;
    sum = (n % 2 == 1) ? sum - term : sum + term;
  }
  return sum;
}

// pi * 2^bits within 2 units (Machin's formula with 64 guard bits).
BigNatural ComputePi(int bits) {
  const int guarded = bits + 64;
  const BigNatural a = ArctanOfInverse(5, guarded);
  const BigNatural b = ArctanOfInverse(239, guarded);
  return ((a << 4) - (b << 2)) >> 64;
}

// (2/pi) * 2^bits within 2 units.
BigNatural ComputeTwoOverPi(int bits) {
  const int piBits = bits + 64;
  return BigNatural::PowerOfTwo(bits + 1 + piBits).DividedBy(ComputePi(piBits));
}

// Both constants once, at a precision that covers every double at the first
// try (the exponent reaches 1023); cut down by shifting, which adds a unit.
constexpr int kCachedBits = 1536;
struct Constants {
  BigNatural pi = ComputePi(kCachedBits);
  BigNatural twoOverPi = ComputeTwoOverPi(kCachedBits);
};

const Constants& Cached() {
  static const Constants constants;
  return constants;
}

// pi * 2^bits within 3 units.
BigNatural Pi(int bits) {
  return bits <= kCachedBits ? Cached().pi >> (kCachedBits - bits) : ComputePi(bits);
}

// (2/pi) * 2^bits within 3 units.
BigNatural TwoOverPi(int bits) {
  return bits <= kCachedBits ? Cached().twoOverPi >> (kCachedBits - bits) : ComputeTwoOverPi(bits);
}

// Nearest double to v / 2^fractionBits, ties to even. Only for values well
// inside the normal range, which is all this file produces.
double NearestDouble(const BigNatural& v, int fractionBits) {
  const int top = v.BitLength() - 1;
  if (top <= 52) return std::ldexp(static_cast<double>(v.Low64()), -fractionBits);
  const int shift = top - 52;
  std::uint64_t mantissa = (v >> shift).Low64();
  const int order = Compare(v.LowBits(shift), BigNatural::PowerOfTwo(shift - 1));
  if (order > 0 || (order == 0 && (mantissa & 1u) != 0)) ++mantissa;
  return std::ldexp(static_cast<double>(mantissa), shift - fractionBits);
}

// sin(y) or cos(y) for 0 <= y < 0.8, y and the result with `bits` fraction
// bits; `terms` counts the series terms taken, for the error bound.
BigNatural Series(const BigNatural& y, int bits, bool cosine, int& terms) {
  const BigNatural ySquared = (y * y) >> bits;
  BigNatural term = cosine ? BigNatural::PowerOfTwo(bits) : y;
  BigNatural plus = term;
  BigNatural minus;
  std::uint32_t k = cosine ? 0 : 1;  // the power of y in `term`
  for (terms = 1;; ++terms) {
    term = ((term * ySquared) >> bits).DividedBy((k + 1) * (k + 2));
    k += 2;
    if (term.IsZero()) break;
    if (terms % 2 == 1) {
      minus = minus + term;
    } else {
      plus = plus + term;
    }
  }
  return plus - minus;
}

double SinOrCos(double x, bool cosine) {
  // Below 2^-28 the rounded sine is x itself and the rounded cosine 1.
  if (std::fabs(x) < 0x1p-28) return cosine ? 1.0 : x;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(x), &exponent);
  const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int e = exponent - 53;  // |x| = m * 2^e
  const bool flip = !cosine && x < 0;

  double result = std::numeric_limits<double>::quiet_NaN();
  // sin and cos of a double are never exactly half-way between two doubles,
  // so some precision decides; the cap only guards against a fault.
  for (int bits = 128; bits <= 32768; bits *= 2) {
    // x * 2/pi with `bits` fraction bits, within 2 units: 2/pi (within 3
    // units) carries 60 more bits than the product needs.
    const BigNatural turns = (TwoOverPi(bits + e + 60) * BigNatural(m)) >> 60;

    // x = (quadrant + f) * pi/2 with -1/2 <= f < 1/2.
    int quadrant = (turns.Bit(bits) ? 1 : 0) + (turns.Bit(bits + 1) ? 2 : 0);
    BigNatural f = turns.LowBits(bits);
    bool negativeY = false;
    if (f.Bit(bits - 1)) {
      f = BigNatural::PowerOfTwo(bits) - f;
      quadrant = (quadrant + 1) % 4;
      negativeY = true;
    }
    const BigNatural halfPi = Pi(bits + 4) >> 5;  // within 1 unit
    const BigNatural y = (f * halfPi) >> bits;  // |reduced angle|, within 5 units

    // sin x: sin y, cos y, -sin y, -cos y by quadrant; cos x: cos y, -sin y, -cos y, sin y.
    const bool useCosine = (quadrant % 2 == 0) == cosine;
    bool negative = cosine ? (quadrant == 1 || quadrant == 2) : (quadrant >= 2);
    if (!useCosine && negativeY) negative = !negative;
    if (flip) negative = !negative;

    int terms = 0;
    const BigNatural value = Series(y, bits, useCosine, terms);
    // Error of y (5 units, scaled by at most 1) twice over, plus the
    // truncations of every term and of y squared.
    const BigNatural error(static_cast<std::uint64_t>(16 + 4 * terms));
    if (value <= error) continue;
    const double low = NearestDouble(value - error, bits);
    const double high = NearestDouble(value + error, bits);
    result = negative ? -high : high;
    if (low == high) break;
  }
  return result;
}

}  // namespace

double MultiPrecisionSin(double x) { return SinOrCos(x, false); }

double MultiPrecisionCos(double x) { return SinOrCos(x, true); }

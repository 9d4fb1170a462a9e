#include "render/exact_trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "render/trig_multiprecision.h"

namespace {

// An unevaluated sum hi + lo with |lo| <= half an ulp of hi.
struct DoubleDouble {
  double hi;
  double lo;
};

DoubleDouble TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

DoubleDouble FastTwoSum(double a, double b) {  // |a| >= |b|
  const double s = a + b;
  return {s, b - (s - a)};
}

// Exact product by Dekker's splitting (no fused multiply-add anywhere).
DoubleDouble TwoProduct(double a, double b) {
  auto split = [](double v, double& high, double& low) {
    const double t = 134217729.0 * v;  // 2^27 + 1
    high = t - (t - v);
    low = v - high;
  };
  double ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
  DoubleDouble s = TwoSum(a.hi, b.hi);
  const DoubleDouble t = TwoSum(a.lo, b.lo);
  s.lo += t.hi;
  s = FastTwoSum(s.hi, s.lo);
  s.lo += t.lo;
  return FastTwoSum(s.hi, s.lo);
}

DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
  DoubleDouble p = TwoProduct(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo);
}

DoubleDouble Divide(DoubleDouble a, double b) {
  const double q1 = a.hi / b;
  const DoubleDouble p = TwoProduct(q1, b);
  DoubleDouble r = TwoSum(a.hi, -p.hi);
  r.lo = (r.lo - p.lo) + a.lo;
  const double q2 = (r.hi + r.lo) / b;
  return FastTwoSum(q1, q2);
}

// Taylor coefficients (-1)^n / (2n+1)! and (-1)^n / (2n)!, n = 0..14: the
// first term left out is below 2^-112 of the result for |y| < 0.8.
constexpr int kTerms = 15;
struct Coefficients {
  DoubleDouble sine[kTerms];
  DoubleDouble cosine[kTerms];
};

const Coefficients& TaylorCoefficients() {
  static const Coefficients table = [] {
    Coefficients c{};
    DoubleDouble inverseFactorial{1.0, 0.0};
    for (int k = 0; k < 2 * kTerms; ++k) {
      if (k > 0) inverseFactorial = Divide(inverseFactorial, k);
      const DoubleDouble signedValue =
          (k / 2) % 2 == 0 ? inverseFactorial : DoubleDouble{-inverseFactorial.hi, -inverseFactorial.lo};
      if (k % 2 == 0) {
        c.cosine[k / 2] = signedValue;
      } else {
        c.sine[k / 2] = signedValue;
      }
    }
    return c;
  }();
  return table;
}

DoubleDouble Polynomial(const DoubleDouble (&c)[kTerms], DoubleDouble z) {
  DoubleDouble p = c[kTerms - 1];
  for (int n = kTerms - 2; n >= 0; --n) p = Add(Multiply(p, z), c[n]);
  return p;
}

// pi/2 as three doubles (good to 2^-160) and 2/pi for the quadrant.
constexpr double kHalfPi1 = 0x1.921fb54442d18p+0;
constexpr double kHalfPi2 = 0x1.1a62633145c07p-54;
constexpr double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// The quick path's range: the renderer passes |x| < 2 pi. Below 8 no double
// comes nearer than 2^-54 to a multiple of pi/2, so the reduced angle keeps a
// relative error under 2^-98.
constexpr double kQuickLimit = 8.0;

// The quick result is within 2^-95 of the true value, relative; trust its
// rounding only with a wide margin to the half-way points.
constexpr double kTrustMargin = 0x1p-90;

double NextAway(double a, int step) {  // a > 0 and normal
  std::uint64_t bits;
  std::memcpy(&bits, &a, sizeof bits);
  bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(bits) + step);
  std::memcpy(&a, &bits, sizeof a);
  return a;
}

// True with `rounded` set when hi is certainly the double nearest the value
// that r approximates.
bool RoundsSafely(DoubleDouble r, double& rounded) {
  const double magnitude = std::fabs(r.hi);
  if (!(magnitude >= 0x1p-1000)) return false;
  const double lo = r.hi > 0 ? r.lo : -r.lo;
  const double gapUp = NextAway(magnitude, 1) - magnitude;  // exact
  const double gapDown = magnitude - NextAway(magnitude, -1);
  const double margin = magnitude * kTrustMargin;
  if (lo + margin < 0.5 * gapUp && lo - margin > -0.5 * gapDown) {
    rounded = r.hi;
    return true;
  }
  return false;
}

DoubleDouble Negated(DoubleDouble a) { return {-a.hi, -a.lo}; }

// sin or cos of |x| <= kQuickLimit in double-double.
DoubleDouble QuickSinOrCos(double x, bool cosine) {
  const int k = static_cast<int>(std::floor(x * kTwoOverPi + 0.5));
  const double kd = k;
  // x - k pi/2: the first product cancels against x exactly; the small terms
  // are summed in double-double.
  const DoubleDouble a = TwoProduct(kd, kHalfPi1);
  const DoubleDouble b = TwoProduct(kd, kHalfPi2);
  DoubleDouble y = TwoSum(x, -a.hi);
  y = Add(y, TwoSum(-a.lo, -b.hi));
  y = Add(y, TwoSum(-b.lo, -(kd * kHalfPi3)));

  const Coefficients& c = TaylorCoefficients();
  const DoubleDouble z = Multiply(y, y);
  const int quadrant = k & 3;
  const bool useCosine = (quadrant % 2 == 0) == cosine;
  const DoubleDouble value = useCosine ? Polynomial(c.cosine, z) : Multiply(Polynomial(c.sine, z), y);
  const bool negative = cosine ? (quadrant == 1 || quadrant == 2) : (quadrant >= 2);
  return negative ? Negated(value) : value;
}

double SinOrCos(double x, bool cosine) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  if (std::fabs(x) < 0x1p-28) return cosine ? 1.0 : x;  // exact rounding, and keeps -0
  if (std::fabs(x) <= kQuickLimit) {
    double rounded;
    if (RoundsSafely(QuickSinOrCos(x, cosine), rounded)) return rounded;
  }
  return cosine ? MultiPrecisionCos(x) : MultiPrecisionSin(x);
}

}  // namespace

double ExactSin(double x) { return SinOrCos(x, false); }

double ExactCos(double x) { return SinOrCos(x, true); }

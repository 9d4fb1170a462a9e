#include "tools/skingen/chime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace skingen {

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 1.6;
constexpr double kPi = 3.14159265358979323846;

// A struck bell: a few inharmonic partials, each dying away at its own pace.
double Bell(double frequency, double t) {
  if (t < 0) return 0;
  static const struct {
    double ratio, level, decay;
  } kPartials[] = {{1.0, 1.0, 0.9}, {2.0, 0.45, 0.5}, {2.76, 0.22, 0.35}, {5.4, 0.08, 0.18}};
  const double attack = std::min(1.0, t / 0.004);
  double sum = 0;
  for (const auto& p : kPartials) {
    sum += p.level * std::exp(-t / p.decay) * std::sin(2 * kPi * frequency * p.ratio * t);
  }
  return attack * sum;
}

void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

std::string ChimeWave() {
  const int count = static_cast<int>(kRate * kSeconds);
  std::vector<double> samples(count);
  double peak = 0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = Bell(659.25, t) + 0.9 * Bell(523.25, t - 0.32);  // E5, then C5
    v *= std::min(1.0, (kSeconds - t) / 0.08);                   // end on silence
    samples[i] = v;
    peak = std::max(peak, std::fabs(v));
  }
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(count) * 2;
  std::string out = "RIFF";
  Put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out += "data";
  Put32(out, dataBytes);
  for (double v : samples) {
    const long s = std::lround(v / peak * 0.7 * 32767.0);
    Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
  }
  return out;
}

}  // namespace skingen

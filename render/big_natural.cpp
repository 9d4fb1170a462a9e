#include "render/big_natural.h"

#include <algorithm>

namespace {
constexpr int kLimbBits = 32;
}

BigNatural::BigNatural(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= kLimbBits;
  }
}

BigNatural BigNatural::PowerOfTwo(int exponent) { return BigNatural(1) << exponent; }

void BigNatural::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

int BigNatural::BitLength() const {
  if (limbs_.empty()) return 0;
  int bits = static_cast<int>(limbs_.size() - 1) * kLimbBits;
  for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
  return bits;
}

bool BigNatural::Bit(int index) const {
  const auto limb = static_cast<std::size_t>(index / kLimbBits);
  if (index < 0 || limb >= limbs_.size()) return false;
  return ((limbs_[limb] >> (index % kLimbBits)) & 1u) != 0;
}

std::uint64_t BigNatural::Low64() const {
  std::uint64_t value = 0;
  if (!limbs_.empty()) value = limbs_[0];
  if (limbs_.size() > 1) value |= std::uint64_t{limbs_[1]} << kLimbBits;
  return value;
}

BigNatural BigNatural::LowBits(int count) const {
  BigNatural result;
  const auto whole = static_cast<std::size_t>(count / kLimbBits);
  result.limbs_.assign(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(std::min(whole, limbs_.size())));
  if (whole < limbs_.size() && count % kLimbBits != 0) {
    result.limbs_.push_back(limbs_[whole] & ((1u << (count % kLimbBits)) - 1u));
  }
  result.Trim();
  return result;
}

BigNatural BigNatural::operator<<(int bits) const {
  if (IsZero()) return {};
  BigNatural result;
  const auto whole = static_cast<std::size_t>(bits / kLimbBits);
  const int part = bits % kLimbBits;
  result.limbs_.assign(whole, 0u);
  std::uint32_t carry = 0;
  for (std::uint32_t limb : limbs_) {
    result.limbs_.push_back(part == 0 ? limb : (limb << part) | carry);
    carry = part == 0 ? 0 : limb >> (kLimbBits - part);
  }
  result.limbs_.push_back(carry);
  result.Trim();
  return result;
}

BigNatural BigNatural::operator>>(int bits) const {
  const auto whole = static_cast<std::size_t>(bits / kLimbBits);
  if (whole >= limbs_.size()) return {};
  const int part = bits % kLimbBits;
  BigNatural result;
  for (std::size_t i = whole; i < limbs_.size(); ++i) {
    std::uint32_t limb = limbs_[i] >> part;
    if (part != 0 && i + 1 < limbs_.size()) limb |= limbs_[i + 1] << (kLimbBits - part);
    result.limbs_.push_back(limb);
  }
  result.Trim();
  return result;
}

BigNatural BigNatural::operator+(const BigNatural& other) const {
  BigNatural result;
  const std::size_t n = std::max(limbs_.size(), other.limbs_.size());
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint64_t a = i < limbs_.size() ? limbs_[i] : 0;
    const std::uint64_t b = i < other.limbs_.size() ? other.limbs_[i] : 0;
    const std::uint64_t sum = a + b + carry;
    result.limbs_.push_back(static_cast<std::uint32_t>(sum));
    carry = sum >> kLimbBits;
  }
  result.limbs_.push_back(static_cast<std::uint32_t>(carry));
  result.Trim();
  return result;
}

BigNatural BigNatural::operator-(const BigNatural& other) const {
  BigNatural result;
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::int64_t b = i < other.limbs_.size() ? other.limbs_[i] : 0;
    std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - b - borrow;
    borrow = difference < 0 ? 1 : 0;
    if (difference < 0) difference += std::int64_t{1} << kLimbBits;
    result.limbs_.push_back(static_cast<std::uint32_t>(difference));
  }
  result.Trim();
  return result;
}

BigNatural BigNatural::operator*(const BigNatural& other) const {
  if (IsZero() || other.IsZero()) return {};
  std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size(), 0u);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
      const std::uint64_t t = std::uint64_t{limbs_[i]} * other.limbs_[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> kLimbBits;
    }
    product[i + other.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  BigNatural result;
  result.limbs_ = std::move(product);
  result.Trim();
  return result;
}

BigNatural BigNatural::DividedBy(std::uint32_t divisor) const {
  BigNatural result;
  result.limbs_.assign(limbs_.size(), 0u);
  std::uint64_t remainder = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) {
    const std::uint64_t current = (remainder << kLimbBits) | limbs_[i];
    result.limbs_[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  result.Trim();
  return result;
}

BigNatural BigNatural::DividedBy(const BigNatural& divisor) const {
  // Bit by bit: slow, but only the rare careful path divides.
  BigNatural quotient;
  quotient.limbs_.assign(limbs_.size(), 0u);
  BigNatural remainder;
  for (int i = BitLength(); i-- > 0;) {
    remainder = remainder << 1;
    if (Bit(i)) {
      if (remainder.limbs_.empty()) remainder.limbs_.push_back(0u);
      remainder.limbs_[0] |= 1u;
    }
    if (divisor <= remainder) {
      remainder = remainder - divisor;
      quotient.limbs_[static_cast<std::size_t>(i / kLimbBits)] |= 1u << (i % kLimbBits);
    }
  }
  quotient.Trim();
  return quotient;
}

int Compare(const BigNatural& a, const BigNatural& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  }
  return 0;
}

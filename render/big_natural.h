// Unsigned integers of any size, just enough arithmetic for fixed-point
// work: a value v with an agreed number of fraction bits W stands for v / 2^W.
#pragma once
#include <cstdint>
#include <vector>

class BigNatural {
 public:
  BigNatural() = default;
  explicit BigNatural(std::uint64_t value);
  static BigNatural PowerOfTwo(int exponent);

  bool IsZero() const { return limbs_.empty(); }
  int BitLength() const;  // 0 for zero
  bool Bit(int index) const;
  std::uint64_t Low64() const;
  BigNatural LowBits(int count) const;  // the value modulo 2^count

  BigNatural operator<<(int bits) const;
  BigNatural operator>>(int bits) const;  // rounds down
  BigNatural operator+(const BigNatural& other) const;
  BigNatural operator-(const BigNatural& other) const;  // other must not be larger
  BigNatural operator*(const BigNatural& other) const;
  BigNatural DividedBy(std::uint32_t divisor) const;  // rounds down; divisor > 0
  BigNatural DividedBy(const BigNatural& divisor) const;  // rounds down; divisor > 0

  friend int Compare(const BigNatural& a, const BigNatural& b);  // -1, 0 or 1
  bool operator<(const BigNatural& other) const { return Compare(*this, other) < 0; }
  bool operator<=(const BigNatural& other) const { return Compare(*this, other) <= 0; }

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

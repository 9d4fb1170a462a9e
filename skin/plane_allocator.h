// The storage of a picture plane. Large planes come from the platform's plane
// memory (huge pages on Linux). Sizing a plane without a value (`resize(n)`)
// leaves the new bytes unwritten: the loaders size a plane and then write every
// byte of it, and zero-filling first would touch hundreds of megabytes twice.
// `assign(n, 0)` and `resize(n, 0)` still clear.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/plane_memory.h"

template <typename T>
class PlaneAllocator {
  static_assert(std::is_trivially_copyable<T>::value, "planes hold plain values");

 public:
  using value_type = T;

  PlaneAllocator() noexcept = default;
  template <typename U>
  PlaneAllocator(const PlaneAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= platform::kLargePlaneBytes) return static_cast<T*>(platform::AllocateLargePlane(bytes));
    return static_cast<T*>(::operator new(bytes));
  }

  void deallocate(T* p, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= platform::kLargePlaneBytes) {
      platform::FreeLargePlane(p, bytes);
    } else {
      ::operator delete(p);
    }
  }

  // Default-initialised, not value-initialised: see above.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

template <typename T, typename U>
bool operator==(const PlaneAllocator<T>&, const PlaneAllocator<U>&) noexcept {
  return true;
}
template <typename T, typename U>
bool operator!=(const PlaneAllocator<T>&, const PlaneAllocator<U>&) noexcept {
  return false;
}

// One 8-bit plane of a picture.
using Plane = std::vector<std::uint8_t, PlaneAllocator<std::uint8_t>>;

// A plane holds the same bytes as a byte vector (tests compare them).
inline bool operator==(const Plane& plane, const std::vector<std::uint8_t>& bytes) {
  return plane.size() == bytes.size() && std::equal(plane.begin(), plane.end(), bytes.begin());
}
inline bool operator==(const std::vector<std::uint8_t>& bytes, const Plane& plane) { return plane == bytes; }
inline bool operator!=(const Plane& plane, const std::vector<std::uint8_t>& bytes) { return !(plane == bytes); }
inline bool operator!=(const std::vector<std::uint8_t>& bytes, const Plane& plane) { return !(plane == bytes); }

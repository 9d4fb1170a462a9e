// Large planes on Linux: blocks cut one after another from 2 MB-aligned
// regions advised for transparent huge pages. Several planes share a region,
// so a 1 MB plane does not take a 2 MB page of its own; each region counts its
// live blocks and goes back to the system with the last one.
#include "platform/plane_memory.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <new>

namespace platform {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kRegionBytes = kLargePlaneRegionBytes;
constexpr std::size_t kMaxBlock = std::size_t{1} << 46;

std::size_t PageSize() {
  static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// Room a block takes in its region: whole pages, so a freed block's pages can
// go back on their own; under AddressSanitizer one more, poisoned, so that
// running off a plane is still caught.
std::size_t Span(std::size_t bytes) { return RoundUp(bytes, PageSize()) + (kSanitized ? PageSize() : 0); }

// `length` bytes (whole pages) starting on a 2 MB boundary.
char* MapAligned(std::size_t length) {
  void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  char* start = static_cast<char*>(raw);
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  char* base = start + (RoundUp(address, kHugePage) - address);
  if (base != start) munmap(start, static_cast<std::size_t>(base - start));
  munmap(base + length, static_cast<std::size_t>(start + length + kHugePage - (base + length)));
  // A kernel without transparent huge pages refuses the advice: small pages then.
  madvise(base, length, MADV_HUGEPAGE);
  return base;
}

struct Region {
  std::size_t length = 0;  // mapped from the base
  std::size_t used = 0;    // handed out from the base; the next block starts here
  std::size_t live = 0;    // blocks not yet freed
};

class RegionPool {
 public:
  void* Allocate(std::size_t bytes) {
    if (bytes == 0 || bytes > kMaxBlock) throw std::bad_alloc();
    const std::size_t span = Span(bytes);
    std::lock_guard<std::mutex> lock(mutex_);
    char* base = nullptr;
    if (span > kRegionBytes) {
      base = NewRegion(span);  // a block of its own; the region stays closed to others
    } else {
      if (open_ == nullptr || RoomLeft(open_) < span) {
        if (open_ != nullptr) CloseRegion(open_);
        open_ = NewRegion(kRegionBytes);
      }
      base = open_;
    }
    Region& region = regions_.find(base)->second;
    char* block = base + region.used;
    region.used += span;
    ++region.live;
    ASAN_UNPOISON_MEMORY_REGION(block, bytes);
    return block;
  }

  void Free(void* pointer, std::size_t bytes) {
    if (pointer == nullptr) return;
    char* block = static_cast<char*>(pointer);
    const std::size_t span = Span(bytes);
    std::lock_guard<std::mutex> lock(mutex_);
    auto at = regions_.upper_bound(block);
    if (at == regions_.begin()) return;  // not ours; nothing sane to do
    --at;
    char* base = at->first;
    Region& region = at->second;
    if (--region.live == 0) {
      ASAN_UNPOISON_MEMORY_REGION(base, region.length);  // the addresses may be mapped again
      munmap(base, region.length);
      held_ -= region.length;
      if (open_ == base) open_ = nullptr;
      regions_.erase(at);
      return;
    }
    // The region lives on for its other blocks; this one's pages go back now.
    ASAN_POISON_MEMORY_REGION(block, span);
    madvise(block, span, MADV_DONTNEED);
    if (block + span == base + region.used) region.used -= span;  // the newest block: reuse its room
  }

  std::size_t Held() {
    std::lock_guard<std::mutex> lock(mutex_);
    return held_;
  }

 private:
  std::size_t RoomLeft(char* base) const {
    const Region& region = regions_.find(base)->second;
    return region.length - region.used;
  }

  // No more blocks go to this region: its unused end goes back, so the huge
  // page it reaches into is not kept whole for a part of it.
  void CloseRegion(char* base) {
    Region& region = regions_.find(base)->second;
    const std::size_t tail = region.length - region.used;
    if (tail == 0) return;
    ASAN_UNPOISON_MEMORY_REGION(base + region.used, tail);
    munmap(base + region.used, tail);
    held_ -= tail;
    region.length = region.used;
  }

  char* NewRegion(std::size_t length) {
    char* base = MapAligned(length);
    try {
      regions_.emplace(base, Region{length, 0, 0});
    } catch (...) {
      munmap(base, length);
      throw;
    }
    held_ += length;
    ASAN_POISON_MEMORY_REGION(base, length);
    return base;
  }

  std::mutex mutex_;
  std::map<char*, Region> regions_;  // by base address
  char* open_ = nullptr;             // the region new small-enough blocks go to
  std::size_t held_ = 0;
};

// Never destroyed: planes in static objects may be freed after exit starts.
RegionPool& Pool() {
  alignas(RegionPool) static unsigned char storage[sizeof(RegionPool)];
  static RegionPool* pool = ::new (static_cast<void*>(storage)) RegionPool();
  return *pool;
}

}  // namespace

void* AllocateLargePlane(std::size_t bytes) {
  void* block = Pool().Allocate(bytes);
  detail::TallyLargePlane(bytes, true);
  return block;
}

void FreeLargePlane(void* block, std::size_t bytes) noexcept {
  if (block != nullptr) detail::TallyLargePlane(bytes, false);
  Pool().Free(block, bytes);
}

std::size_t LargePlaneHeldBytes() { return Pool().Held(); }

}  // namespace platform

// Large planes on Windows: aligned heap blocks; the heap hands big blocks back
// to the system itself when they are freed.
#include "platform/plane_memory.h"

#include <atomic>
#include <new>

namespace platform {

namespace {
std::atomic<std::size_t> heldBytes{0};
}  // namespace

void* AllocateLargePlane(std::size_t bytes) {
  void* block = ::operator new(bytes, std::align_val_t{kLargePlaneAlignment});
  heldBytes += bytes;
  detail::TallyLargePlane(bytes, true);
  return block;
}

void FreeLargePlane(void* block, std::size_t bytes) noexcept {
  if (block == nullptr) return;
  heldBytes -= bytes;
  detail::TallyLargePlane(bytes, false);
  ::operator delete(block, std::align_val_t{kLargePlaneAlignment});
}

std::size_t LargePlaneHeldBytes() { return heldBytes; }

}  // namespace platform

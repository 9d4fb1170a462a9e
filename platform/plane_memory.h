// Memory for large picture planes. A skin with many large pictures takes
// hundreds of megabytes at once; on Linux these blocks come from 2 MB-aligned
// regions backed by transparent huge pages (a page fault per 2 MB instead of
// per 4 KB), on Windows from the heap. Either way a block's bytes are not
// cleared: the caller writes them.
#pragma once
#include <cstddef>

namespace platform {

// Blocks from this size up are large; smaller ones belong on the ordinary heap.
constexpr std::size_t kLargePlaneBytes = std::size_t{256} << 10;
// Every large block starts on a multiple of this.
constexpr std::size_t kLargePlaneAlignment = 64;
// On Linux large blocks are cut from shared regions of this size (a larger
// block gets a region of its own); a region goes when its last block does.
constexpr std::size_t kLargePlaneRegionBytes = std::size_t{16} << 20;

// A block of `bytes` (at least kLargePlaneBytes), its contents undefined.
// Throws std::bad_alloc when the system has no memory left.
void* AllocateLargePlane(std::size_t bytes);

// Gives back a block from AllocateLargePlane; `bytes` is the size it was asked with.
void FreeLargePlane(void* block, std::size_t bytes) noexcept;

// Bytes held from the system for large blocks right now (mapped regions on
// Linux, live blocks on Windows): back to its old value once every block
// taken since is freed.
std::size_t LargePlaneHeldBytes();

// Bytes of large blocks asked for and not yet given back, and the most there
// have been since the last ResetLargePlanePeak: what a skin's planes really
// take at their peak, for the tests that hold the skin bounds to it.
std::size_t LargePlaneLiveBytes();
std::size_t LargePlanePeakBytes();
void ResetLargePlanePeak();

namespace detail {
// Both platforms' allocators report every block here, `bytes` as asked.
void TallyLargePlane(std::size_t bytes, bool taken) noexcept;
}  // namespace detail

}  // namespace platform

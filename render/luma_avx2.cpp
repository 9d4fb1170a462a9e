#include "render/luma_avx2.h"

#include "render/luma_avx2_chunks.h"
#include "render/luma_avx512.h"

#ifdef HORALUNE_LUMA_AVX2
namespace {

using namespace luma_avx2;

// The rows of a frame; the constants are set once for all of them.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 void Frame(const LumaFrame& f) {
  const Multipliers k = LumaMultipliers();
  const int width = f.width, height = f.height;
  const auto w = static_cast<std::size_t>(width);
  // Each luma row has a 0 before it, so that Emboss reads D straight from
  // the row above, one pixel to the left: 0 in the left column. The top and
  // bottom rows read theirs from `edge`, the whole row from its own D row.
  std::uint8_t* lumas[2] = {f.scratch + 1, f.scratch + w + 2};
  lumas[0][-1] = lumas[1][-1] = 0;
  std::uint8_t* edge = f.scratch + 2 * w + 2;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* here = lumas[y & 1];
    const std::uint8_t* ds = nullptr;
    if (output == LumaOutput::Emboss) {
      if (y == 0 || y == height - 1) {
        EmbossDs(nullptr, edge, width, y == 0, true);
        ds = edge;
      } else {
        // The right column's D is 255: the luma it would read is needed for
        // nothing else.
        std::uint8_t* above = lumas[(y + 1) & 1];
        above[width - 2] = 255;
        ds = above - 1;
      }
    }
    const std::size_t offset = static_cast<std::size_t>(y) * w;
    const LumaRow row{{f.red + offset, f.green + offset, f.blue + offset},
                      ds,
                      f.table,
                      here,
                      f.rows + static_cast<std::size_t>(height - 1 - y) * w,
                      width,
                      f.stream};
    int x = 0;
    if (row.stream) {
      // As in the SSE2 kernels: the pixels before the first 16-byte boundary
      // come from one chunk stored in place.
      const int misaligned = static_cast<int>((reinterpret_cast<std::uintptr_t>(row.out) & 15) / 4);
      if (misaligned != 0) {
        Chunk<order, output, false>(k, row, 0);
        x = 4 - misaligned;
      }
      for (; x + 32 <= width; x += 32) Chunk<order, output, true>(k, row, x);
    }
    for (; x + 32 <= width; x += 32) Chunk<order, output, false>(k, row, x);
    RowEnd<order, output>(k, row, x);
  }
}

// Asked once; the explicit init makes the answer right even while other
// static initialisers run.
const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

const bool kHasAvx512 = [] {
  __builtin_cpu_init();
  return kHasAvx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi");
}();

}  // namespace
#endif

namespace {
int widestKernelBits = 512;
}  // namespace

void LimitWideKernels(int bits) { widestKernelBits = bits; }

template <LumaOrder order, LumaOutput output>
bool LumaFrameAvx2(const LumaFrame& frame) {
#ifdef HORALUNE_LUMA_AVX2
  if (!kHasAvx2 || widestKernelBits < 256 || frame.width < 32) return false;
  constexpr bool tinted = output == LumaOutput::Sepia || output == LumaOutput::Table;
  if (kHasAvx512 && widestKernelBits >= 512 && frame.width >= 64 && (!tinted || frame.planes != nullptr)) {
    LumaFrameAvx512<order, output>(frame);
  } else {
    Frame<order, output>(frame);
  }
  return true;
#else
  (void)frame;
  return false;
#endif
}

#define HORALUNE_INSTANCE(order)                                     \
  template bool LumaFrameAvx2<order, LumaOutput::Grey>(const LumaFrame&);   \
  template bool LumaFrameAvx2<order, LumaOutput::Sepia>(const LumaFrame&);  \
  template bool LumaFrameAvx2<order, LumaOutput::Emboss>(const LumaFrame&); \
  template bool LumaFrameAvx2<order, LumaOutput::Table>(const LumaFrame&);
HORALUNE_INSTANCE(LumaOrder::RedGreenBlue)
HORALUNE_INSTANCE(LumaOrder::GreenRedBlue)
HORALUNE_INSTANCE(LumaOrder::BlueGreenRed)

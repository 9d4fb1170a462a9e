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
  const int width = f.width;
  LumaFrameRows rows(f);
  for (int y = 0; y < f.height; ++y) {
    const LumaRow row = rows.Row<output>(y, f.stream);
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

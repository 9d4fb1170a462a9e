// Lumas 32 pixels at a time with AVX2, on processors that have it; the same
// integer method as the SSE2 kernel in effect_rows.cpp, so the same bytes.
// Where AVX-512 (BW and VBMI) is there too, frames at least 64 pixels wide go
// through luma_avx512.cpp.
#pragma once
#include <cstdint>

#include "render/luma_frame.h"

// Every row of the frame, as LumaPixels would write them. Returns false and
// writes nothing where AVX2 is missing or not built (a compiler other than
// GCC or Clang on x86-64), or the frame is too narrow.
template <LumaOrder order, LumaOutput output>
bool LumaFrameAvx2(const LumaFrame& frame);

// Lets tests hold the kernels to a vector width in bits (128: SSE2 only,
// 256: AVX2 at most), so that the narrower ones run on every width too on a
// processor that has the wider ones. 512 by default.
void LimitWideKernels(int bits);

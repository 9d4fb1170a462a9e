// Lumas 32 pixels at a time with AVX2, on processors that have it; the same
// integer method as the SSE2 kernel in effect_rows.cpp, so the same bytes.
#pragma once
#include <cstdint>

#include "render/effect_rows.h"

// Writes the lumas and output pixels of the whole row, as LumaPixels does,
// and returns the row's width; returns 0 and writes nothing where AVX2 is
// missing or not built (the Windows build, whose compiler does not keep
// 32-byte vectors aligned on the stack), or the row is under 32 pixels.
template <LumaOrder order, LumaOutput output>
int LumaPixelsAvx2(const LumaRow& row);

// Lets tests turn the wider kernels off, so that the SSE2 ones run on every
// width too. On by default.
void AllowWideKernels(bool allow);
bool WideKernelsAllowed();

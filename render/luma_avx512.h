// Lumas 64 pixels at a time with AVX-512 (BW, and VBMI for the table
// colours' byte permutes): the same integer method as the other kernels, so
// the same bytes. Only built beside the AVX2 kernels; the caller checks the
// processor and gives frames at least 64 pixels wide (and `planes` for Gold
// and Sepia).
#pragma once
#include "render/luma_frame.h"

template <LumaOrder order, LumaOutput output>
void LumaFrameAvx512(const LumaFrame& frame);

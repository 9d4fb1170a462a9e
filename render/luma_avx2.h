// Lumas 32 pixels at a time with AVX2, on processors that have it; the same
// integer method as the SSE2 kernel in effect_rows.cpp, so the same bytes.
// Where AVX-512 byte permutes are there too, table colours are looked up
// with them.
#pragma once
#include <cstdint>

#include "render/effect_rows.h"

// A 256-colour table as three byte planes (the colours of Gold and Sepia).
struct TablePlanes {
  std::uint8_t red[256];
  std::uint8_t green[256];
  std::uint8_t blue[256];
};

TablePlanes SplitTable(const std::uint32_t* table);

// A frame's planes and what its luma effect writes: `rows` bottom-up as
// RenderPresentation gives them, `scratch` three rows of bytes and two more
// (this row's lumas, the row above's, Emboss's D row).
struct LumaFrame {
  const std::uint8_t* red;
  const std::uint8_t* green;
  const std::uint8_t* blue;
  int width;
  int height;
  std::uint32_t* rows;
  std::uint8_t* scratch;
  const std::uint32_t* table;  // LumaOutput::Table
  const TablePlanes* planes;   // the same colours as `output`, looked up with AVX-512 where it is there
  bool stream;
};

// Every row of the frame, as LumaPixels would write them. Returns false and
// writes nothing where AVX2 is missing or not built (the Windows build, whose compiler does not keep
// 32-byte vectors aligned on the stack), or the frame is too narrow.
template <LumaOrder order, LumaOutput output>
bool LumaFrameAvx2(const LumaFrame& frame);

// Lets tests turn the wider kernels off, so that the SSE2 ones run on every
// width too. On by default.
void AllowWideKernels(bool allow);

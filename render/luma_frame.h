// A whole frame for the wide luma kernels (luma_avx2, luma_avx512): its
// planes, the rows it is written to, scratch rows, and the table effects'
// colours as byte planes for the AVX-512 look-ups.
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

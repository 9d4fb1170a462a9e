// A row of lumas through a 256-colour table with AVX-512 byte permutes, 64
// pixels at a time, on processors that have them (native builds only, like
// the AVX2 kernels).
#pragma once
#include <cstdint>

// The table split into its red, green and blue bytes.
struct TablePlanes {
  std::uint8_t red[256];
  std::uint8_t green[256];
  std::uint8_t blue[256];
};

TablePlanes SplitTable(const std::uint32_t* table);

// True where TablePixelsAvx512 does its work.
bool HasTableAvx512();

// out[x] = the table's colour for lumas[x] as 0x00RRGGBB, for the whole row;
// returns the width, or 0 with nothing written where the kernel is missing or
// the row is under 64 pixels. stream: write around the caches (`out` is
// 16-byte aligned or the first pixels are stored in place).
int TablePixelsAvx512(const TablePlanes& planes, const std::uint8_t* lumas, std::uint32_t* out, int width,
                      bool stream);

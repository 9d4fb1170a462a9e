// A whole frame for the wide luma kernels (luma_avx2, luma_avx512): its
// planes, the rows it is written to, scratch rows, and the table effects'
// colours as byte planes for the AVX-512 look-ups.
#pragma once
#include <cstddef>
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

// The rows of a frame one after another, with their luma and D rows in the
// frame's scratch. Each luma row has a 0 before it, so that Emboss reads D
// straight from the row above, one pixel to the left: 0 in the left column.
// The top and bottom rows read theirs from `edge`.
class LumaFrameRows {
 public:
  explicit LumaFrameRows(const LumaFrame& f)
      : f_(f), w_(static_cast<std::size_t>(f.width)), lumas_{f.scratch + 1, f.scratch + w_ + 2},
        edge_(f.scratch + 2 * w_ + 2) {
    lumas_[0][-1] = lumas_[1][-1] = 0;
  }

  // Row y (top first); `stream` as the kernel writes it.
  template <LumaOutput output>
  LumaRow Row(int y, bool stream) {
    const int width = f_.width, height = f_.height;
    const std::uint8_t* ds = nullptr;
    if (output == LumaOutput::Emboss) {
      if (y == 0 || y == height - 1) {
        EmbossDs(nullptr, edge_, width, y == 0, true);
        ds = edge_;
      } else {
        // The right column's D is 255: the luma it would read is needed for
        // nothing else.
        std::uint8_t* above = lumas_[(y + 1) & 1];
        above[width - 2] = 255;
        ds = above - 1;
      }
    }
    const std::size_t offset = static_cast<std::size_t>(y) * w_;
    return LumaRow{{f_.red + offset, f_.green + offset, f_.blue + offset},
                   ds,
                   f_.table,
                   lumas_[y & 1],
                   f_.rows + static_cast<std::size_t>(height - 1 - y) * w_,
                   width,
                   stream};
  }

 private:
  const LumaFrame& f_;
  std::size_t w_;
  std::uint8_t* lumas_[2];
  std::uint8_t* edge_;
};

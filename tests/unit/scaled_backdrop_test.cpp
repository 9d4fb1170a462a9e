// Dialog backdrops at 150 % and 200 %: the same picture, drawn larger.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "render/clock_state.h"
#include "ui/dialog_backdrop.h"
#include "ui/display_scale.h"
#include "ui/intro_picture.h"
#include "ui/scaled_backdrop.h"

namespace {

// Bytes of pixel (x, y) in 32-bit rows of the given width.
const std::uint8_t* At(const std::vector<std::uint8_t>& rows, int width, int x, int y) {
  return &rows[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4];
}

// Bilinear between pixel centres, written plainly in doubles.
std::vector<double> ReferenceResample(const std::vector<std::uint8_t>& rows, int w, int h, int nw,
                                      int nh) {
  std::vector<double> out;
  for (int y = 0; y < nh; ++y) {
    const double sy = std::min(std::max((y + 0.5) * h / nh - 0.5, 0.0), h - 1.0);
    const int y0 = static_cast<int>(std::floor(sy));
    const int y1 = std::min(y0 + 1, h - 1);
    const double fy = sy - y0;
    for (int x = 0; x < nw; ++x) {
      const double sx = std::min(std::max((x + 0.5) * w / nw - 0.5, 0.0), w - 1.0);
      const int x0 = static_cast<int>(std::floor(sx));
      const int x1 = std::min(x0 + 1, w - 1);
      const double fx = sx - x0;
      for (int c = 0; c < 4; ++c) {
        const double top = At(rows, w, x0, y0)[c] * (1 - fx) + At(rows, w, x1, y0)[c] * fx;
        const double bottom = At(rows, w, x0, y1)[c] * (1 - fx) + At(rows, w, x1, y1)[c] * fx;
        out.push_back(top * (1 - fy) + bottom * fy);
      }
    }
  }
  return out;
}

// Every byte is the reference value rounded to the nearest (a tie may go
// either way: the doubles are not exact there).
::testing::AssertionResult MatchesReference(const std::vector<std::uint8_t>& rows, int w, int h,
                                            int nw, int nh) {
  const std::vector<std::uint8_t> got = ResampleRows(rows, w, h, nw, nh);
  const std::vector<double> want = ReferenceResample(rows, w, h, nw, nh);
  if (got.size() != want.size()) return ::testing::AssertionFailure() << "size " << got.size();
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (std::fabs(got[i] - want[i]) > 0.5 + 1e-9) {
      return ::testing::AssertionFailure() << "byte " << i << ": " << int{got[i]} << ", reference "
                                           << want[i];
    }
  }
  return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> RandomRows(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
  for (std::uint8_t& b : rows) b = static_cast<std::uint8_t>(random());
  return rows;
}

}  // namespace

TEST(ScaledBackdrop, SizesFollowTheDpiAndOutOfRangeDpiIsClamped) {
  EXPECT_EQ(BackdropWidthAt(96), 128);
  EXPECT_EQ(BackdropHeightAt(96), 220);
  EXPECT_EQ(BackdropWidthAt(144), 192);
  EXPECT_EQ(BackdropHeightAt(144), 330);
  EXPECT_EQ(BackdropWidthAt(120), 160);
  EXPECT_EQ(BackdropHeightAt(120), 275);
  EXPECT_EQ(BackdropWidthAt(192), 256);
  EXPECT_EQ(BackdropWidthAt(40), 128);
  EXPECT_EQ(BackdropHeightAt(9999), 1100);
  EXPECT_EQ(GradientRowsAt(0, 0x00FFFFFF, 144).size(), 192u * 330u * 4u);
}

TEST(ScaledBackdrop, At96DpiBothBackdropsAreTheUnscaledRows) {
  const std::uint32_t face = 0x00D8E4EC;
  EXPECT_EQ(GradientRowsAt(face, 0x00FFFFFF, 96), GradientRows(face, 0x00FFFFFF));
  ClockState clock;
  const std::vector<std::uint8_t> noise = RandomRows(150, 240, 7);
  clock.frame.width = 150;
  clock.frame.height = 240;
  for (std::size_t i = 0; i < 150u * 240u; ++i) {
    clock.frame.red.push_back(noise[i * 4]);
    clock.frame.green.push_back(noise[i * 4 + 1]);
    clock.frame.blue.push_back(noise[i * 4 + 2]);
  }
  clock.frame.hasPlanes = true;
  BuildIntroPicture(clock, face);
  EXPECT_EQ(IntroPictureRowsAt(clock.introPicture, 96), IntroPictureRows(clock.introPicture));
  EXPECT_EQ(IntroPictureRowsAt(clock.introPicture, 144).size(), 192u * 330u * 4u);
  ClockState empty;
  EXPECT_TRUE(IntroPictureRowsAt(empty.introPicture, 144).empty());
}

// A column of the scaled gradient that falls exactly on a 96-dpi column has
// that column's colour; the right edge is the face colour itself, so no seam.
TEST(ScaledBackdrop, GradientColumnsMatchTheirPlaceAt96Dpi) {
  const std::uint32_t a = 0x00C0D0E0;
  const std::uint32_t b = 0x00FFFFFF;
  const std::vector<std::uint8_t> base = GradientRows(a, b);
  for (const int dpi : {144, 192, 288}) {
    SCOPED_TRACE(dpi);
    const std::vector<std::uint8_t> rows = GradientRowsAt(a, b, dpi);
    const int width = BackdropWidthAt(dpi);
    const int height = BackdropHeightAt(dpi);
    const int step = dpi / 48;  // every `step` scaled columns land on every second one at 96
    for (int x = 0; x * 96 / dpi < 128 && x < width; x += step) {
      if (x * 96 % dpi != 0) continue;
      for (int y : {0, height / 2, height - 1}) {
        EXPECT_TRUE(std::equal(At(rows, width, x, y), At(rows, width, x, y) + 4,
                               At(base, 128, x * 96 / dpi, 0)))
            << "column " << x;
      }
    }
    const std::uint8_t* right = At(rows, width, width - 1, height - 1);
    EXPECT_EQ(right[0], 0xC0);
    EXPECT_EQ(right[1], 0xD0);
    EXPECT_EQ(right[2], 0xE0);
    for (int x = 1; x < width; ++x) EXPECT_LE(At(rows, width, x, 0)[2], At(rows, width, x - 1, 0)[2]);
  }
}

TEST(ScaledBackdrop, ResamplingMatchesAPlainBilinearReference) {
  const std::vector<std::uint8_t> rows = RandomRows(128, 220, 42);
  for (const int dpi : {120, 144, 192, 480}) {
    SCOPED_TRACE(dpi);
    const int w = BackdropWidthAt(dpi);
    const int h = BackdropHeightAt(dpi);
    EXPECT_TRUE(MatchesReference(rows, 128, 220, w, h));
  }
  // Odd sizes both ways, and a single row or column.
  const std::vector<std::uint8_t> small = RandomRows(7, 5, 3);
  EXPECT_TRUE(MatchesReference(small, 7, 5, 11, 8));
  EXPECT_TRUE(MatchesReference(small, 7, 5, 3, 2));
  const std::vector<std::uint8_t> line = RandomRows(1, 9, 5);
  EXPECT_TRUE(MatchesReference(line, 1, 9, 2, 14));
  EXPECT_EQ(ResampleRows(rows, 128, 220, 128, 220), rows);
}

TEST(ScaledBackdrop, ResamplingRefusesBadSizesAndShortRows) {
  const std::vector<std::uint8_t> rows = RandomRows(4, 4, 1);
  EXPECT_TRUE(ResampleRows(rows, 4, 5, 8, 8).empty());
  EXPECT_TRUE(ResampleRows(rows, 0, 4, 8, 8).empty());
  EXPECT_TRUE(ResampleRows(rows, 4, 4, 8, -1).empty());
}

TEST(ScaledBackdrop, LayoutLengthUndoesScaling) {
  for (int dpi = 96; dpi <= 480; dpi += 24) {
    for (int length = -300; length <= 1200; ++length) {
      ASSERT_EQ(LayoutLength(ScaleByDpi(length, dpi), dpi), length) << dpi;
    }
  }
  EXPECT_EQ(LayoutLength(100, 144), 67);  // 66.67
  EXPECT_EQ(LayoutLength(-100, 144), -67);
  EXPECT_EQ(LayoutLength(50, 10), 50);  // clamped to 96
}

// The program icon holds every size Windows asks for from 100 % to 200 %, each
// a well-formed 32-bit image of a round face: clear corners, opaque middle.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

std::uint32_t Read(const std::vector<unsigned char>& d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d.at(at + static_cast<std::size_t>(i));
  return v;
}

}  // namespace

TEST(ProgramIcon, HoldsEverySizeForDisplayScalesUpTo200Percent) {
  std::ifstream in(std::string(HORALUNE_SOURCE_DIR) + "/resources/horalune.ico", std::ios::binary);
  ASSERT_TRUE(in);
  const std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(d.size(), 6u);
  EXPECT_EQ(Read(d, 0, 2), 0u);
  EXPECT_EQ(Read(d, 2, 2), 1u);  // an icon, not a cursor
  const std::uint32_t count = Read(d, 4, 2);
  std::set<std::uint32_t> sizes;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t size = Read(d, entry, 1);
    SCOPED_TRACE(size);
    EXPECT_EQ(Read(d, entry + 1, 1), size);
    EXPECT_EQ(Read(d, entry + 6, 2), 32u);
    const std::uint32_t bytes = Read(d, entry + 8, 4);
    const std::uint32_t offset = Read(d, entry + 12, 4);
    ASSERT_LE(static_cast<std::size_t>(offset) + bytes, d.size());
    // BITMAPINFOHEADER, colour rows bottom up, then the 1-bit mask.
    EXPECT_EQ(Read(d, offset, 4), 40u);
    EXPECT_EQ(Read(d, offset + 4, 4), size);
    EXPECT_EQ(Read(d, offset + 8, 4), 2 * size);
    const std::uint32_t maskRow = (size + 31) / 32 * 4;
    EXPECT_EQ(bytes, 40 + size * size * 4 + maskRow * size);
    auto alpha = [&](std::uint32_t x, std::uint32_t y) { return Read(d, offset + 40 + (y * size + x) * 4 + 3, 1); };
    EXPECT_EQ(alpha(0, 0), 0u);
    EXPECT_EQ(alpha(size - 1, size - 1), 0u);
    EXPECT_EQ(alpha(size / 2, size / 2), 255u);
    sizes.insert(size);
  }
  EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 20, 24, 32, 40, 48, 64}));
}

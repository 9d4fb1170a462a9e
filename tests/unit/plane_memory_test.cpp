#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <random>
#include <vector>

#include "platform/plane_memory.h"

namespace {

// What a block should hold: a byte every kStride bytes and its last byte.
struct Block {
  std::size_t bytes;
  std::uint8_t stamp;
};
constexpr std::size_t kStride = 4093;  // lands at every offset within a page, in turn

std::uint8_t Expected(const Block& block, std::size_t at) {
  return static_cast<std::uint8_t>(block.stamp + at / kStride);
}

void Write(std::uint8_t* p, const Block& block) {
  for (std::size_t at = 0; at < block.bytes; at += kStride) p[at] = Expected(block, at);
  p[block.bytes - 1] = Expected(block, block.bytes - 1);
}

bool Holds(const std::uint8_t* p, const Block& block) {
  for (std::size_t at = 0; at < block.bytes; at += kStride) {
    if (p[at] != Expected(block, at)) return false;
  }
  return p[block.bytes - 1] == Expected(block, block.bytes - 1);
}

TEST(LargePlaneMemory, RandomBlocksStayApartKeepTheirBytesAndAllGoBack) {
  const std::size_t heldBefore = platform::LargePlaneHeldBytes();
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<std::size_t> plain(platform::kLargePlaneBytes, std::size_t{4} << 20);
  std::uniform_int_distribution<std::size_t> megabytes(1, 4), huge(std::size_t{33} << 20, std::size_t{40} << 20);
  std::map<std::uint8_t*, Block> model;
  std::size_t liveBytes = 0;
  std::uint8_t stamp = 0;

  const auto freeOne = [&](std::map<std::uint8_t*, Block>::iterator at) {
    ASSERT_TRUE(Holds(at->first, at->second)) << "block of " << at->second.bytes << " bytes";
    platform::FreeLargePlane(at->first, at->second.bytes);
    liveBytes -= at->second.bytes;
    model.erase(at);
  };

  for (int step = 0; step < 400; ++step) {
    if (!model.empty() && (liveBytes > (std::size_t{160} << 20) || kind(random) < 4)) {
      auto at = model.begin();
      std::advance(at, std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(random));
      freeOne(at);
      continue;
    }
    const int k = kind(random);
    const Block block{k == 0 ? huge(random) : k < 4 ? megabytes(random) << 20 : plain(random), ++stamp};
    auto* p = static_cast<std::uint8_t*>(platform::AllocateLargePlane(block.bytes));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % platform::kLargePlaneAlignment, 0u);
    const auto next = model.lower_bound(p);
    if (next != model.end()) {
      ASSERT_LE(p + block.bytes, next->first) << "overlaps the block after it";
    }
    if (next != model.begin()) {
      const auto before = std::prev(next);
      ASSERT_LE(before->first + before->second.bytes, p) << "overlaps the block before it";
    }
    Write(p, block);
    model.emplace(p, block);
    liveBytes += block.bytes;
    if (step % 50 == 0) {
      for (const auto& [q, b] : model) ASSERT_TRUE(Holds(q, b));
    }
  }
  while (!model.empty()) freeOne(model.begin());
  EXPECT_EQ(platform::LargePlaneHeldBytes(), heldBefore);
}

}  // namespace

// Every bitmap form decodes to the same pixels through our decoder and through
// the platform's loader (LoadImageA in the Windows build), and malformed files
// are refused without reading outside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_corpus.h"
#include "platform/bitmap_file.h"
#include "platform/bmp_decoder.h"
#include "skin/bmp_writer.h"
#include "test_host.h"
#include "wine_check.h"

namespace {

// A folder for the files of one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() / ("horalune-bmp-" + std::to_string(++counter));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A path in the program's own convention (the folder name is plain ASCII).
  std::string Path(const std::string& name) const {
    return root_.string() + testing_support::kPathSeparator + name;
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
    return Path(name);
  }

 private:
  std::filesystem::path root_;
};

// Decodes from a buffer of exactly the file's size, so that AddressSanitizer
// sees any read past the end.
bool Decode(const std::string& bytes, platform::BitmapPixels& out) {
  std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
  return DecodeBmp(exact.data(), exact.size(), out);
}

bool Decodes(const std::string& bytes) {
  platform::BitmapPixels out;
  return Decode(bytes, out);
}

BmpSample Sample(const std::string& name) {
  for (BmpSample& sample : MakeBmpCorpus())
    if (sample.name == name) return sample;
  ADD_FAILURE() << "no sample " << name;
  return {};
}

// Compares colours only: bits 24..31 carry nothing.
::testing::AssertionResult SamePixels(const BmpSample& sample, const platform::BitmapPixels& got) {
  if (got.width != sample.width || got.height != sample.height)
    return ::testing::AssertionFailure() << "size " << got.width << "x" << got.height << ", want " << sample.width
                                         << "x" << sample.height;
  if (got.pixels.size() != sample.expected.size())
    return ::testing::AssertionFailure() << got.pixels.size() << " pixels, want " << sample.expected.size();
  for (std::size_t i = 0; i < got.pixels.size(); ++i) {
    if ((got.pixels[i] & 0xFFFFFF) != sample.expected[i]) {
      return ::testing::AssertionFailure()
             << "pixel (" << i % sample.width << ", " << i / sample.width << ") is " << std::hex
             << (got.pixels[i] & 0xFFFFFF) << ", want " << sample.expected[i];
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(BmpDecoding, EveryFormGivesItsPixels) {
  for (const BmpSample& sample : MakeBmpCorpus()) {
    SCOPED_TRACE(sample.name);
    platform::BitmapPixels got;
    ASSERT_TRUE(Decode(sample.bytes, got));
    EXPECT_TRUE(SamePixels(sample, got));
  }
}

bool AllBlack(const platform::BitmapPixels& got) {
  for (std::uint32_t p : got.pixels)
    if (p & 0xFFFFFF) return false;
  return true;
}

TEST(BmpDecoding, PlatformLoaderAgreesOnEveryForm) {
  TempFolder folder;
  const bool wine = RunningUnderWine();
  int index = 0;
  for (const BmpSample& sample : MakeBmpCorpus()) {
    SCOPED_TRACE(sample.name);
    const std::string path = folder.Write("sample" + std::to_string(++index) + ".bmp", sample.bytes);
    platform::BitmapPixels got;
    const bool loaded = platform::LoadBitmapPixels(path.c_str(), got);
    const WineDifference difference = wine ? KnownWineDifference(sample) : WineDifference::kNone;
    // A known Wine difference must look exactly like itself; anything else
    // is a real disagreement.
    if (difference == WineDifference::kHeaderRefused && !loaded) continue;
    ASSERT_TRUE(loaded);
    if (difference == WineDifference::kTopDownBlack && got.width == sample.width && got.height == sample.height &&
        AllBlack(got))
      continue;
    if (difference == WineDifference::kUnclosedTopRowBlack) {
      BmpSample wineForm = sample;
      std::fill(wineForm.expected.begin(), wineForm.expected.begin() + sample.width, 0u);
      if (SamePixels(wineForm, got)) continue;
    }
    EXPECT_TRUE(SamePixels(sample, got));
  }
}

TEST(BmpDecoding, LargeFileRowsLandInPlace) {
  const int width = 1024;
  const int height = 768;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  platform::BitmapPixels got;
  ASSERT_TRUE(Decode(EncodeBmp24(width, height, pixels.data()), got));
  EXPECT_EQ(got.pixels, pixels);
}

TEST(BmpDecoding, MasksWithHolesTakeOnlyTheirOwnBits) {
  // Red's mask has a hole (bits 15 and 0); green's bits inside that span must
  // not leak into red.
  std::string file = Sample("16-bit bit fields 5-6-5").bytes;
  PutLe32(file, 14 + 40, 0x8001);
  PutLe32(file, 14 + 44, 0x07E0);
  PutLe32(file, 14 + 48, 0x001E);
  const std::size_t bits = 14 + 40 + 12;
  PutLe16(file, bits, 0x7FFF);      // bottom-left pixel: every bit but 15
  PutLe16(file, bits + 2, 0x8000);  // its neighbour: only bit 15
  platform::BitmapPixels got;
  ASSERT_TRUE(Decode(file, got));
  const std::size_t bottomLeft = static_cast<std::size_t>(got.height - 1) * got.width;
  EXPECT_EQ(got.pixels[bottomLeft] >> 16, 0u);
  EXPECT_EQ(got.pixels[bottomLeft + 1] >> 16, 0x80u);
}

// Every cut of a valid file is refused, apart from leaving off the last row's
// padding, and none reads past the cut.
TEST(BmpRejection, TruncatedFiles) {
  for (const BmpSample& sample : MakeBmpCorpus()) {
    SCOPED_TRACE(sample.name);
    for (std::size_t length = 0; length < sample.bytes.size(); ++length) {
      const bool accepted = Decodes(sample.bytes.substr(0, length));
      EXPECT_EQ(accepted, length + sample.optionalTail >= sample.bytes.size()) << "cut at " << length;
    }
  }
}

// Offsets of the info header's fields in the file.
constexpr std::size_t kOffBits = 10;
constexpr std::size_t kHeaderSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;
constexpr std::size_t kBitCount = 28;
constexpr std::size_t kCompression = 30;

std::string Patched32(std::string bytes, std::size_t at, std::uint32_t value) {
  PutLe32(bytes, at, value);
  return bytes;
}

TEST(BmpRejection, BadHeaders) {
  const std::string good = Sample("24-bit").bytes;
  ASSERT_TRUE(Decodes(good));
  std::string wrongMagic = good;
  wrongMagic[1] = 'A';
  EXPECT_FALSE(Decodes(wrongMagic));
  for (std::uint32_t size : {0u, 16u, 39u, 41u, 64u, 125u, 0xFFFFFFFFu})
    EXPECT_FALSE(Decodes(Patched32(good, kHeaderSize, size))) << "header size " << size;
  EXPECT_FALSE(Decodes(Patched32(good, kCompression, 4))) << "JPEG";
  EXPECT_FALSE(Decodes(Patched32(good, kCompression, 5))) << "PNG";
  EXPECT_FALSE(Decodes(Patched32(good, kCompression, 1))) << "24-bit RLE8";

  std::string twoBits = good;
  PutLe16(twoBits, kBitCount, 2);
  EXPECT_FALSE(Decodes(twoBits));
  std::string zeroBits = good;
  PutLe16(zeroBits, kBitCount, 0);
  EXPECT_FALSE(Decodes(zeroBits));
  EXPECT_FALSE(Decodes(Patched32(Sample("24-bit").bytes, kCompression, 3))) << "24-bit with bit fields";
  EXPECT_FALSE(Decodes(Patched32(Sample("8-bit").bytes, kCompression, 2))) << "8-bit RLE4";
  // Run-length data is bottom-up only.
  EXPECT_FALSE(Decodes(Patched32(Sample("rle4 runs, literals, delta").bytes, kHeight, static_cast<std::uint32_t>(-5))));
  platform::BitmapPixels out;
  EXPECT_FALSE(DecodeBmp(nullptr, 100, out));
}

TEST(BmpRejection, BadDimensions) {
  const std::string good = Sample("24-bit").bytes;
  EXPECT_FALSE(Decodes(Patched32(good, kWidth, 0)));
  EXPECT_FALSE(Decodes(Patched32(good, kHeight, 0)));
  EXPECT_FALSE(Decodes(Patched32(good, kWidth, static_cast<std::uint32_t>(-13)))) << "negative width";
  EXPECT_FALSE(Decodes(Patched32(good, kHeight, 0x80000000u))) << "most negative height";
  EXPECT_FALSE(Decodes(Patched32(good, kWidth, kMaxBmpDimension + 1)));
  EXPECT_FALSE(Decodes(Patched32(good, kHeight, kMaxBmpDimension + 1)));
  // Sizes whose pixel buffer would overflow 32 bits, and sizes the file does
  // not hold, are refused before anything is allocated.
  EXPECT_FALSE(Decodes(Patched32(Patched32(good, kWidth, 0x40000001u), kHeight, 4)));
  EXPECT_FALSE(Decodes(Patched32(Patched32(good, kWidth, kMaxBmpDimension), kHeight, kMaxBmpDimension)));
}

TEST(BmpRejection, OffsetsOutsideTheFile) {
  const std::string good = Sample("24-bit").bytes;
  EXPECT_FALSE(Decodes(Patched32(good, kOffBits, static_cast<std::uint32_t>(good.size() + 1))));
  EXPECT_FALSE(Decodes(Patched32(good, kOffBits, 0xFFFFFFF0u)));
  EXPECT_FALSE(Decodes(Patched32(good, kOffBits, 20))) << "pixels inside the header";
  // A colour table longer than the file.
  EXPECT_FALSE(Decodes(Sample("8-bit").bytes.substr(0, 14 + 40 + 255 * 4)));
  // The three masks of a 40-byte header missing.
  EXPECT_FALSE(Decodes(Sample("16-bit bit fields 5-6-5").bytes.substr(0, 14 + 40 + 8)));
}

TEST(BmpRejection, RunLengthDataThatEndsEarly) {
  const std::string good = Sample("rle8 runs, literals, delta, early end").bytes;
  const std::size_t bits = 14 + 40 + 256 * 4;
  // A run count with no colour, a delta without its offsets, a literal run
  // longer than the data.
  EXPECT_FALSE(Decodes(good.substr(0, bits) + std::string("\x04", 1)));
  EXPECT_FALSE(Decodes(good.substr(0, bits) + std::string("\x00\x02\x01", 3)));
  EXPECT_FALSE(Decodes(good.substr(0, bits) + std::string("\x00\x09\x01\x02\x03", 5)));
  // No end-of-bitmap and fewer lines than the height.
  EXPECT_FALSE(Decodes(good.substr(0, bits) + std::string("\x03\x01\x00\x00", 4)));
}

TEST(BmpLoading, MissingOrBrokenFilesFail) {
  TempFolder folder;
  platform::BitmapPixels got;
  got.width = 5;
  EXPECT_FALSE(platform::LoadBitmapPixels(folder.Path("absent.bmp").c_str(), got));
  EXPECT_EQ(got.width, 0);
  EXPECT_FALSE(platform::LoadBitmapPixels(folder.Write("empty.bmp", "").c_str(), got));
  EXPECT_FALSE(platform::LoadBitmapPixels(folder.Write("text.bmp", "BM this is no bitmap").c_str(), got));
  EXPECT_FALSE(platform::LoadBitmapPixels(nullptr, got));
  // A file cut short is refused by the platform loader too, not half-filled.
  const std::string whole = MakeBmpCorpus().front().bytes;
  EXPECT_FALSE(platform::LoadBitmapPixels(
      folder.Write("cut.bmp", whole.substr(0, whole.size() / 2)).c_str(), got));
}

}  // namespace

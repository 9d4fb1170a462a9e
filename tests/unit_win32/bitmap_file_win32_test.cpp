// The platform loader releases every GDI object it makes, on success and on
// failure.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bitmap_file.h"
#include "skin/bmp_writer.h"

namespace {

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

TEST(BitmapFileWin32, NoGdiObjectOutlivesALoad) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "horalune-gdi-check";
  std::filesystem::create_directories(dir);
  const std::string good = (dir / "good.bmp").string();
  const std::string bad = (dir / "bad.bmp").string();
  std::vector<std::uint32_t> pixels(64 * 48, 0x336699);
  ASSERT_TRUE(WriteBmp24(good.c_str(), 64, 48, pixels.data()));
  std::string broken = EncodeBmp24(64, 48, pixels.data()).substr(0, 40);
  FILE* f = _wfopen((dir / "bad.bmp").wstring().c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fwrite(broken.data(), 1, broken.size(), f);
  fclose(f);

  // The count must be able to see a single object, or the check means nothing.
  const DWORD empty = GdiObjects();
  HBITMAP probe = CreateBitmap(4, 4, 1, 1, nullptr);
  const DWORD withProbe = GdiObjects();
  DeleteObject(probe);
  if (withProbe != empty + 1) GTEST_SKIP() << "no GDI object counts here (Wine)";

  platform::BitmapPixels out;
  ASSERT_TRUE(platform::LoadBitmapPixels(good.c_str(), out));  // settles one-time allocations
  const DWORD before = GdiObjects();
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(platform::LoadBitmapPixels(good.c_str(), out));
    platform::LoadBitmapPixels(bad.c_str(), out);
  }
  EXPECT_EQ(GdiObjects(), before);
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

}  // namespace

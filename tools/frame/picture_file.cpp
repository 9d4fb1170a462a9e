#include "picture_file.h"

#include "platform/files.h"
#include "skin/bmp_writer.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

std::uint32_t RowPixel(const std::vector<std::uint32_t>& rows, int width, int height, int x, int y) {
  const std::size_t k = static_cast<std::size_t>(height - 1 - y);
  return rows[k * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<std::uint32_t>& rows) {
  std::vector<std::uint32_t> topFirst(rows.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      topFirst[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          RowPixel(rows, width, height, x, y) & 0xFFFFFFu;
    }
  }
  return WriteBmp24(path.c_str(), width, height, topFirst.data());
}

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// Encoded in memory, then written through the file seam (Unicode paths).
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& rows,
              const std::vector<std::uint8_t>& alpha) {
  const bool hasAlpha = alpha.size() == rows.size();
  std::vector<std::uint8_t> rgba(rows.size() * 4);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = RowPixel(rows, width, height, x, y);
      rgba[4 * at] = static_cast<std::uint8_t>(pixel >> 16);
      rgba[4 * at + 1] = static_cast<std::uint8_t>(pixel >> 8);
      rgba[4 * at + 2] = static_cast<std::uint8_t>(pixel);
      rgba[4 * at + 3] = hasAlpha ? alpha[at] : 255;
      ++at;
    }
  }
  std::string bytes;
  if (stbi_write_png_to_func(AppendBytes, &bytes, width, height, 4, rgba.data(), width * 4) == 0) return false;
  return platform::WriteWholeFile(path.c_str(), bytes);
}

}  // namespace

bool WritePresentedPicture(const std::string& path, bool png, int width, int height,
                           const std::vector<std::uint32_t>& rows, const std::vector<std::uint8_t>& alpha) {
  if (width <= 0 || height <= 0 ||
      rows.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
  if (png) return WritePng(path, width, height, rows, alpha);
  return WriteBmp(path, width, height, rows);
}

#include "picture_file.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include "skin/bmp_writer.h"

#ifdef HORALUNE_HAVE_PNG
#include <png.h>

#include "platform/native/native_path.h"
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

#ifdef HORALUNE_HAVE_PNG
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp: everything with a destructor lives in the
// caller, and this frame holds only plain values.
bool EncodePng(std::FILE* file, int width, int height, const std::vector<std::uint32_t>& rows,
               std::uint8_t* line) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = RowPixel(rows, width, height, x, y);
      line[3 * x] = static_cast<std::uint8_t>(pixel >> 16);
      line[3 * x + 1] = static_cast<std::uint8_t>(pixel >> 8);
      line[3 * x + 2] = static_cast<std::uint8_t>(pixel);
    }
    png_write_row(png, line);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& rows) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(platform::NativePath(path.c_str()).c_str(), "wb"));
  if (!file) return false;
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * 3);
  if (!EncodePng(file.get(), width, height, rows, line.data())) return false;
  return std::fclose(file.release()) == 0;
}
#endif

}  // namespace

bool CanWritePng() {
#ifdef HORALUNE_HAVE_PNG
  return true;
#else
  return false;
#endif
}

bool WritePresentedPicture(const std::string& path, bool png, int width, int height,
                           const std::vector<std::uint32_t>& rows) {
  if (width <= 0 || height <= 0 ||
      rows.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
#ifdef HORALUNE_HAVE_PNG
  if (png) return WritePng(path, width, height, rows);
#else
  if (png) return false;
#endif
  return WriteBmp(path, width, height, rows);
}

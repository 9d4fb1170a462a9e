#include "skin/bmp_writer.h"

#include "platform/files.h"

namespace {

void PutU16(std::string& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t v) {
  PutU16(out, at, v & 0xFFFF);
  PutU16(out, at + 2, v >> 16);
}

}  // namespace

std::string EncodeBmp24(int width, int height, const std::uint32_t* pixels) {
  constexpr std::size_t kHeaders = 14 + 40;
  if (width <= 0 || height <= 0 || pixels == nullptr) return {};
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
  if (kHeaders + imageSize > 0x7FFFFFFFu) return {};

  std::string out(kHeaders + static_cast<std::size_t>(imageSize), '\0');
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 2, static_cast<std::uint32_t>(out.size()));
  PutU32(out, 10, kHeaders);
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<std::uint32_t>(width));
  PutU32(out, 22, static_cast<std::uint32_t>(height));
  PutU16(out, 26, 1);
  PutU16(out, 28, 24);
  PutU32(out, 34, static_cast<std::uint32_t>(imageSize));
  PutU32(out, 38, 2835);  // 72 dpi
  PutU32(out, 42, 2835);

  for (int y = 0; y < height; ++y) {
    // The file stores the bottom row first.
    std::size_t at = kHeaders + static_cast<std::size_t>(stride) * static_cast<std::size_t>(height - 1 - y);
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      out[at++] = static_cast<char>(row[x] & 0xFF);
      out[at++] = static_cast<char>((row[x] >> 8) & 0xFF);
      out[at++] = static_cast<char>((row[x] >> 16) & 0xFF);
    }
  }
  return out;
}

bool WriteBmp24(const char* path, int width, int height, const std::uint32_t* pixels) {
  const std::string bytes = EncodeBmp24(width, height, pixels);
  if (bytes.empty() || path == nullptr) return false;
  return platform::WriteWholeFile(path, bytes);
}

// A small PNG writer for tests: any colour type and bit depth, plain or
// interlaced rows, palette and transparency chunks; the data in stored
// (uncompressed) deflate blocks, so the files are made without a library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pngtest {

struct PngPicture {
  int width = 0;
  int height = 0;
  unsigned depth = 8;
  unsigned colourType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
  bool interlaced = false;
  std::vector<std::uint16_t> samples;  // width * height * channels, top row first
  std::vector<std::uint8_t> palette;   // RGB triples (colour type 3)
  std::string transparency;            // the tRNS chunk's data; empty for none
};

inline unsigned ChannelCount(unsigned colourType) {
  static const unsigned kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return colourType < 7 ? kChannels[colourType] : 0;
}

inline void PutBe32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

inline std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBe32(out, Crc32(body));
}

// A zlib stream of stored blocks.
inline std::string StoredZlib(const std::string& raw) {
  std::string out("\x78\x01", 2);
  std::size_t at = 0;
  do {
    const std::size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    out.push_back(at + n == raw.size() ? 1 : 0);
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>(n >> 8));
    out.push_back(static_cast<char>(~n & 0xFF));
    out.push_back(static_cast<char>((~n >> 8) & 0xFF));
    out.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBe32(out, (b << 16) | a);
  return out;
}

// The rows of the picture's part at (x0 + i * dx, y0 + j * dy), each after a
// filter byte of 0, samples packed most significant bit first.
inline void AppendRows(const PngPicture& p, int x0, int y0, int dx, int dy, std::string& raw) {
  const unsigned channels = ChannelCount(p.colourType);
  for (int y = y0; y < p.height; y += dy) {
    if (x0 >= p.width) return;
    raw.push_back(0);
    unsigned bits = 0, pending = 0;
    for (int x = x0; x < p.width; x += dx) {
      for (unsigned c = 0; c < channels; ++c) {
        const std::uint16_t v = p.samples[(static_cast<std::size_t>(y) * p.width + x) * channels + c];
        if (p.depth == 16) {
          raw.push_back(static_cast<char>(v >> 8));
          raw.push_back(static_cast<char>(v & 0xFF));
        } else {
          pending = (pending << p.depth) | v;
          bits += p.depth;
          if (bits == 8) {
            raw.push_back(static_cast<char>(pending));
            bits = pending = 0;
          }
        }
      }
    }
    if (bits != 0) raw.push_back(static_cast<char>(pending << (8 - bits)));
  }
}

inline std::string EncodePng(const PngPicture& p) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBe32(header, static_cast<std::uint32_t>(p.width));
  PutBe32(header, static_cast<std::uint32_t>(p.height));
  header += {static_cast<char>(p.depth), static_cast<char>(p.colourType), 0, 0, static_cast<char>(p.interlaced)};
  PutChunk(out, "IHDR", header);
  if (!p.palette.empty()) PutChunk(out, "PLTE", std::string(p.palette.begin(), p.palette.end()));
  if (!p.transparency.empty()) PutChunk(out, "tRNS", p.transparency);
  std::string raw;
  if (p.interlaced) {
    static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    for (const auto& pass : kPasses) AppendRows(p, pass[0], pass[1], pass[2], pass[3], raw);
  } else {
    AppendRows(p, 0, 0, 1, 1, raw);
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", "");
  return out;
}

}  // namespace pngtest

#include "bmp_corpus.h"

#include <utility>

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

void Append16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Append32(std::string& out, std::uint32_t v) {
  Append16(out, v & 0xFFFF);
  Append16(out, v >> 16);
}

// A colour that differs in every channel from its neighbours.
std::uint32_t PatternColour(int x, int y) {
  const std::uint32_t r = (x * 37 + y * 11 + 5) & 0xFF;
  const std::uint32_t g = (x * 5 + y * 71 + 40) & 0xFF;
  const std::uint32_t b = (x * y * 13 + x * 3 + 200) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

std::uint32_t PaletteEntry(int i) {
  const std::uint32_t r = (i * 53 + 17) & 0xFF;
  const std::uint32_t g = (i * 97 + 3) & 0xFF;
  const std::uint32_t b = (i * 29 + 101) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

std::vector<std::uint32_t> MakePalette(int entries) {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < entries; ++i) palette.push_back(PaletteEntry(i));
  return palette;
}

// What goes into the headers apart from the pixel rows.
struct Form {
  std::uint32_t headerSize = 40;
  int bitCount = 24;
  std::uint32_t compression = kRgb;
  std::uint32_t colorsUsed = 0;
  std::uint32_t masks[3] = {0, 0, 0};
  std::vector<std::uint32_t> palette;  // written in full
  std::size_t gap = 0;                 // bytes between colour table and pixels
};

std::string Assemble(const Form& form, int width, int storedHeight, const std::string& bits) {
  std::string info;
  if (form.headerSize == 12) {
    Append32(info, 12);
    Append16(info, static_cast<std::uint32_t>(width));
    Append16(info, static_cast<std::uint32_t>(storedHeight));
    Append16(info, 1);
    Append16(info, static_cast<std::uint32_t>(form.bitCount));
  } else {
    Append32(info, form.headerSize);
    Append32(info, static_cast<std::uint32_t>(width));
    Append32(info, static_cast<std::uint32_t>(storedHeight));
    Append16(info, 1);
    Append16(info, static_cast<std::uint32_t>(form.bitCount));
    Append32(info, form.compression);
    Append32(info, static_cast<std::uint32_t>(bits.size()));
    Append32(info, 2835);
    Append32(info, 2835);
    Append32(info, form.colorsUsed);
    Append32(info, 0);
    if (form.headerSize >= 52)
      for (std::uint32_t mask : form.masks) Append32(info, mask);
    if (form.headerSize >= 56) Append32(info, 0);  // alpha mask
    if (form.headerSize >= 108) {
      Append32(info, 0x73524742);  // LCS_sRGB
      info.append(36 + 12, '\0');  // end points and gammas
    }
    if (form.headerSize >= 124) {
      Append32(info, 4);  // LCS_GM_IMAGES
      info.append(12, '\0');
    }
    if (form.headerSize == 40 && form.compression == kBitFields)
      for (std::uint32_t mask : form.masks) Append32(info, mask);
  }
  for (std::uint32_t colour : form.palette) {
    info += static_cast<char>(colour & 0xFF);
    info += static_cast<char>((colour >> 8) & 0xFF);
    info += static_cast<char>((colour >> 16) & 0xFF);
    if (form.headerSize != 12) info += '\0';
  }
  info.append(form.gap, '\xEE');

  std::string file = "BM";
  Append32(file, static_cast<std::uint32_t>(14 + info.size() + bits.size()));
  Append32(file, 0);
  Append32(file, static_cast<std::uint32_t>(14 + info.size()));
  return file + info + bits;
}

std::size_t Stride(int width, int bitCount) { return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4; }

// Packs per-pixel values (palette indexes or raw 16/24/32-bit pixels, top row
// first) into padded rows in file order.
std::string PackRows(int width, int height, int bitCount, const std::vector<std::uint32_t>& values, bool topDown) {
  const std::size_t stride = Stride(width, bitCount);
  std::string out(stride * height, '\0');
  for (int r = 0; r < height; ++r) {
    const int y = topDown ? r : height - 1 - r;
    std::size_t at = stride * r;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
      switch (bitCount) {
        case 1:
          out[at + x / 8] = static_cast<char>(out[at + x / 8] | (v & 1) << (7 - x % 8));
          break;
        case 4:
          out[at + x / 2] = static_cast<char>(out[at + x / 2] | (v & 15) << (x % 2 ? 0 : 4));
          break;
        case 8:
          out[at + x] = static_cast<char>(v);
          break;
        case 16:
          out[at + 2 * x] = static_cast<char>(v & 0xFF);
          out[at + 2 * x + 1] = static_cast<char>((v >> 8) & 0xFF);
          break;
        case 24:
          for (int i = 0; i < 3; ++i) out[at + 3 * x + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
          break;
        case 32:
          for (int i = 0; i < 4; ++i) out[at + 4 * x + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
          break;
      }
    }
  }
  return out;
}

std::size_t LastRowPadding(int width, int bitCount) {
  return Stride(width, bitCount) - (static_cast<std::size_t>(width) * bitCount + 7) / 8;
}

BmpSample Finish(std::string name, const Form& form, int width, int height, bool topDown,
                 const std::vector<std::uint32_t>& values, std::vector<std::uint32_t> expected) {
  BmpSample sample;
  sample.name = std::move(name);
  sample.width = width;
  sample.height = height;
  sample.topDown = topDown;
  sample.headerSize = form.headerSize;
  sample.expected = std::move(expected);
  sample.bytes = Assemble(form, width, topDown ? -height : height, PackRows(width, height, form.bitCount, values, topDown));
  sample.optionalTail = LastRowPadding(width, form.bitCount);
  return sample;
}

// Palette pictures. With `strayIndexes` some pixels name entries past a short
// colour table; those come out black.
BmpSample Paletted(std::string name, std::uint32_t headerSize, int bitCount, int entries, int width, int height,
                   bool topDown = false, std::size_t gap = 0, bool strayIndexes = false) {
  Form form;
  form.headerSize = headerSize;
  form.bitCount = bitCount;
  form.palette = MakePalette(entries);
  form.colorsUsed = entries == (1 << bitCount) ? 0 : static_cast<std::uint32_t>(entries);
  form.gap = gap;
  const int range = strayIndexes ? 1 << bitCount : entries;
  std::vector<std::uint32_t> indexes;
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int index = (x * 3 + y * 7 + x * y) % range;
      indexes.push_back(static_cast<std::uint32_t>(index));
      expected.push_back(index < entries ? form.palette[static_cast<std::size_t>(index)] : 0);
    }
  }
  return Finish(std::move(name), form, width, height, topDown, indexes, expected);
}

// True-colour pictures; `tableEntries` adds an (unused) colour table.
BmpSample TrueColour(std::string name, std::uint32_t headerSize, int bitCount, int width, int height,
                     bool topDown = false, std::size_t gap = 0, int tableEntries = 0) {
  Form form;
  form.headerSize = headerSize;
  form.bitCount = bitCount;
  form.gap = gap;
  form.palette = MakePalette(tableEntries);
  form.colorsUsed = static_cast<std::uint32_t>(tableEntries);
  std::vector<std::uint32_t> values;
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = PatternColour(x, y);
      // The fourth byte of a plain 32-bit pixel carries no colour.
      values.push_back(bitCount == 32 ? colour | static_cast<std::uint32_t>((x * 91 + y) & 0xFF) << 24 : colour);
      expected.push_back(colour);
    }
  }
  return Finish(std::move(name), form, width, height, topDown, values, expected);
}

// A channel of `bits` bits widened to 8 the way Windows does it.
std::uint32_t Widen(std::uint32_t v, int bits) {
  switch (bits) {
    case 4: return (v << 4) | v;
    case 5: return (v << 3) | (v >> 2);
    case 6: return (v << 2) | (v >> 4);
    case 8: return v;
    case 10: return v >> 2;
  }
  return 0;
}

struct Field {
  int shift;
  int bits;
};

// 16- or 32-bit pixels with the given channel layout; raw pixels use every
// bit pattern, including the bits outside the masks.
BmpSample Fields(std::string name, std::uint32_t headerSize, int bitCount, std::uint32_t compression, Field red,
                 Field green, Field blue, int width, int height, bool topDown = false) {
  Form form;
  form.headerSize = headerSize;
  form.bitCount = bitCount;
  form.compression = compression;
  const Field fields[3] = {red, green, blue};
  for (int i = 0; i < 3; ++i) form.masks[i] = ((1u << fields[i].bits) - 1) << fields[i].shift;
  std::vector<std::uint32_t> values;
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t raw = static_cast<std::uint32_t>(x * 2654435761u + y * 40503u + 12345u);
      if (bitCount == 16) raw &= 0xFFFF;
      values.push_back(raw);
      std::uint32_t colour = 0;
      for (int i = 0; i < 3; ++i) {
        const std::uint32_t v = (raw >> fields[i].shift) & ((1u << fields[i].bits) - 1);
        colour |= Widen(v, fields[i].bits) << (16 - 8 * i);
      }
      expected.push_back(colour);
    }
  }
  return Finish(std::move(name), form, width, height, topDown, values, expected);
}

// Writes run-length data and paints what it should decode to; pixels the
// data skips stay black.
class RleScript {
 public:
  RleScript(int width, int height, bool four, int entries)
      : width_(width), height_(height), four_(four), palette_(MakePalette(entries)),
        expected_(static_cast<std::size_t>(width) * height, 0) {}

  void Run(int count, std::uint8_t value) {
    bytes_ += static_cast<char>(count);
    bytes_ += static_cast<char>(value);
    for (int i = 0; i < count; ++i) Paint(four_ ? (i % 2 ? value & 15 : value >> 4) : value);
    NoteIfComplete();
  }
  void Literal(const std::vector<std::uint8_t>& indexes) {
    bytes_ += '\0';
    bytes_ += static_cast<char>(indexes.size());
    std::string data;
    for (std::size_t i = 0; i < indexes.size(); ++i) {
      if (!four_) {
        data += static_cast<char>(indexes[i]);
      } else if (i % 2 == 0) {
        data += static_cast<char>(indexes[i] << 4);
      } else {
        data.back() = static_cast<char>(data.back() | indexes[i]);
      }
      Paint(indexes[i]);
    }
    if (data.size() % 2) data += '\0';
    bytes_ += data;
    NoteIfComplete();
  }
  void EndOfLine() {
    bytes_ += std::string("\0\0", 2);
    x_ = 0;
    ++row_;
    NoteIfComplete();
  }
  void Delta(int dx, int dy) {
    bytes_ += std::string("\0\2", 2);
    bytes_ += static_cast<char>(dx);
    bytes_ += static_cast<char>(dy);
    x_ += dx;
    row_ += dy;
    NoteIfComplete();
  }
  void End() { bytes_ += std::string("\0\1", 2); }

  BmpSample Sample(std::string name, std::uint32_t headerSize = 40) const {
    Form form;
    form.headerSize = headerSize;
    form.bitCount = four_ ? 4 : 8;
    form.compression = four_ ? kRle4 : kRle8;
    form.palette = palette_;
    form.colorsUsed = static_cast<std::uint32_t>(palette_.size()) == (1u << form.bitCount)
                          ? 0
                          : static_cast<std::uint32_t>(palette_.size());
    BmpSample sample;
    sample.name = std::move(name);
    sample.width = width_;
    sample.height = height_;
    sample.expected = expected_;
    sample.headerSize = headerSize;
    sample.bytes = Assemble(form, width_, height_, bytes_);
    // Once every line is done, whatever follows is not needed.
    if (completeAt_ != std::string::npos) sample.optionalTail = bytes_.size() - completeAt_;
    return sample;
  }

 private:
  // Every line done, or the top line full: the closing markers are optional.
  void NoteIfComplete() {
    const bool complete = row_ >= height_ || (row_ == height_ - 1 && x_ >= width_);
    if (complete && completeAt_ == std::string::npos) completeAt_ = bytes_.size();
  }
  void Paint(unsigned index) {
    if (x_ < width_ && row_ < height_)
      expected_[static_cast<std::size_t>(height_ - 1 - row_) * width_ + x_] = palette_[index];
    ++x_;
  }

  int width_;
  int height_;
  bool four_;
  std::vector<std::uint32_t> palette_;
  std::vector<std::uint32_t> expected_;
  std::string bytes_;
  int x_ = 0;
  int row_ = 0;
  std::size_t completeAt_ = std::string::npos;
};

void AddRunLength(std::vector<BmpSample>& corpus) {
  {
    RleScript s(12, 6, false, 256);
    s.Run(4, 1);
    s.Literal({2, 3, 4});  // odd length: padded
    s.Run(3, 200);
    s.EndOfLine();
    s.Literal({9, 8, 7, 6, 5, 4});
    s.Run(6, 255);
    s.EndOfLine();
    s.Run(2, 17);
    s.Delta(3, 1);  // skips the rest of this row and part of the next
    s.Run(2, 18);
    s.EndOfLine();
    s.Run(12, 19);
    s.EndOfLine();
    s.Run(5, 20);
    s.End();  // the top row stays black
    corpus.push_back(s.Sample("rle8 runs, literals, delta, early end"));
  }
  {
    RleScript s(11, 5, true, 16);
    s.Run(5, 0x12);  // 1 2 1 2 1
    s.Literal({3, 4, 5});
    s.Run(3, 0xF0);
    s.EndOfLine();
    s.Literal({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    s.EndOfLine();
    s.Delta(4, 0);
    s.Run(4, 0xAB);
    s.EndOfLine();
    s.Run(11, 0x9C);
    s.EndOfLine();
    s.Literal({15, 14, 13, 12, 11});
    s.Run(6, 0x77);
    s.End();
    corpus.push_back(s.Sample("rle4 runs, literals, delta"));
  }
  {
    RleScript s(9, 4, false, 12);
    for (int row = 0; row < 4; ++row) {
      s.Run(5, static_cast<std::uint8_t>(row + 1));
      s.Literal({static_cast<std::uint8_t>(11 - row), 0, 5, 6});
      s.EndOfLine();
    }
    s.End();
    corpus.push_back(s.Sample("rle8 short colour table, v5 header", 124));
  }
  {
    // Nothing lands outside the picture; a move past the top ends it.
    RleScript s(4, 3, false, 256);
    s.Run(255, 1);
    s.Delta(240, 0);
    s.Run(2, 2);
    s.EndOfLine();
    s.Literal({3, 3, 3, 3, 3});
    s.Delta(0, 9);
    corpus.push_back(s.Sample("rle8 runs past the edges"));
  }
  {
    RleScript s(5, 2, true, 16);
    s.Run(9, 0x45);
    s.EndOfLine();
    s.Literal({1, 2, 3, 4, 5, 6, 7});
    s.EndOfLine();  // the last line ends the picture without an end mark
    corpus.push_back(s.Sample("rle4 runs past the edge, no end mark"));
  }
  {
    // The data ends with the top row's last pixel: no end of line, no end of
    // bitmap.
    RleScript s(6, 3, false, 256);
    s.Run(6, 1);
    s.EndOfLine();
    s.Literal({2, 3, 4});
    s.Run(3, 5);
    s.EndOfLine();
    s.Run(2, 6);
    s.Run(4, 7);
    corpus.push_back(s.Sample("rle8 no closing markers"));
    corpus.back().unclosedRunLength = true;
  }
  {
    RleScript s(7, 2, true, 16);
    s.Run(7, 0x12);
    s.EndOfLine();
    s.Literal({1, 2, 3, 4, 5, 6, 7});
    corpus.push_back(s.Sample("rle4 no closing markers"));
    corpus.back().unclosedRunLength = true;
  }
}

}  // namespace

void PutLe16(std::string& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
  PutLe16(bytes, at, value & 0xFFFF);
  PutLe16(bytes, at + 2, value >> 16);
}

WineDifference KnownWineDifference(const BmpSample& sample) {
  if (sample.headerSize == 52 || sample.headerSize == 56) return WineDifference::kHeaderRefused;
  if (sample.topDown) return WineDifference::kTopDownBlack;
  if (sample.unclosedRunLength) return WineDifference::kUnclosedTopRowBlack;
  return WineDifference::kNone;
}

std::vector<BmpSample> MakeBmpCorpus() {
  std::vector<BmpSample> c;
  c.push_back(Paletted("core 1-bit", 12, 1, 2, 33, 5));
  c.push_back(Paletted("core 4-bit", 12, 4, 16, 9, 4));
  c.push_back(Paletted("core 8-bit", 12, 8, 256, 7, 3));
  c.push_back(TrueColour("core 24-bit", 12, 24, 5, 3));

  c.push_back(Paletted("1-bit", 40, 1, 2, 33, 5));
  c.push_back(Paletted("1-bit width 1", 40, 1, 2, 1, 3));
  c.push_back(Paletted("4-bit", 40, 4, 16, 9, 4));
  c.push_back(Paletted("4-bit short colour table", 40, 4, 5, 9, 4));
  c.push_back(Paletted("8-bit", 40, 8, 256, 7, 3));
  c.push_back(Paletted("8-bit short colour table", 40, 8, 7, 13, 6));
  c.push_back(Paletted("8-bit gap before pixels", 40, 8, 9, 6, 4, false, 10));
  c.push_back(Paletted("8-bit indexes past a short colour table", 40, 8, 9, 13, 6, false, 0, true));
  c.push_back(Paletted("4-bit indexes past a short colour table", 40, 4, 3, 9, 4, false, 0, true));
  c.push_back(Paletted("8-bit v2 header", 52, 8, 20, 5, 5));
  c.push_back(Paletted("8-bit v3 header", 56, 8, 256, 5, 5));
  c.push_back(Paletted("4-bit v4 header", 108, 4, 16, 7, 3));
  c.push_back(Paletted("8-bit v5 header", 124, 8, 30, 6, 4));

  for (int width = 1; width <= 5; ++width)
    c.push_back(TrueColour("24-bit width " + std::to_string(width), 40, 24, width, 3));
  c.push_back(TrueColour("24-bit", 40, 24, 13, 7));
  c.push_back(TrueColour("24-bit gap before pixels", 40, 24, 6, 4, false, 6));
  c.push_back(TrueColour("24-bit with a colour table", 40, 24, 6, 4, false, 0, 5));
  c.push_back(TrueColour("24-bit v2 header", 52, 24, 13, 7));
  c.push_back(TrueColour("24-bit v3 header", 56, 24, 13, 7));
  c.push_back(TrueColour("24-bit v4 header", 108, 24, 13, 7));
  c.push_back(TrueColour("24-bit v5 header", 124, 24, 13, 7));
  c.push_back(TrueColour("32-bit", 40, 32, 13, 7));
  c.push_back(TrueColour("32-bit v5 header", 124, 32, 6, 3));

  const Field r5{10, 5}, g5{5, 5}, b5{0, 5};
  c.push_back(Fields("16-bit 5-5-5", 40, 16, kRgb, r5, g5, b5, 13, 7));
  c.push_back(Fields("16-bit 5-5-5 v4 header", 108, 16, kRgb, r5, g5, b5, 5, 3));
  c.push_back(Fields("16-bit bit fields 5-5-5", 40, 16, kBitFields, r5, g5, b5, 13, 7));
  c.push_back(Fields("16-bit bit fields 5-6-5", 40, 16, kBitFields, {11, 5}, {5, 6}, {0, 5}, 13, 7));
  c.push_back(Fields("16-bit bit fields 5-6-5 v2 header", 52, 16, kBitFields, {11, 5}, {5, 6}, {0, 5}, 6, 5));
  c.push_back(Fields("16-bit bit fields 5-6-5 v4 header", 108, 16, kBitFields, {11, 5}, {5, 6}, {0, 5}, 6, 5));
  c.push_back(Fields("16-bit bit fields 4-4-4", 40, 16, kBitFields, {8, 4}, {4, 4}, {0, 4}, 7, 3));
  c.push_back(Fields("32-bit bit fields", 40, 32, kBitFields, {16, 8}, {8, 8}, {0, 8}, 13, 7));
  c.push_back(Fields("32-bit bit fields, red low", 40, 32, kBitFields, {0, 8}, {8, 8}, {16, 8}, 7, 3));
  c.push_back(Fields("32-bit bit fields, red high", 40, 32, kBitFields, {24, 8}, {16, 8}, {8, 8}, 7, 3));
  c.push_back(Fields("32-bit bit fields, red high, v3 header", 56, 32, kBitFields, {24, 8}, {16, 8}, {8, 8}, 7, 3));
  c.push_back(Fields("32-bit bit fields 10-10-10", 40, 32, kBitFields, {20, 10}, {10, 10}, {0, 10}, 7, 3));
  c.push_back(Fields("32-bit bit fields v5 header", 124, 32, kBitFields, {16, 8}, {8, 8}, {0, 8}, 7, 3));

  AddRunLength(c);

  // No pixel offset: the pixels follow the colour table.
  BmpSample noOffset = Paletted("8-bit no pixel offset", 40, 8, 6, 5, 3);
  PutLe32(noOffset.bytes, 10, 0);
  c.push_back(noOffset);

  c.push_back(TrueColour("24-bit top-down", 40, 24, 13, 7, true));
  c.push_back(TrueColour("32-bit top-down", 40, 32, 5, 4, true));
  c.push_back(Paletted("8-bit top-down", 40, 8, 11, 9, 4, true));
  c.push_back(Paletted("1-bit top-down", 40, 1, 2, 17, 3, true));
  c.push_back(Fields("16-bit 5-6-5 top-down", 40, 16, kBitFields, {11, 5}, {5, 6}, {0, 5}, 6, 5, true));
  return c;
}

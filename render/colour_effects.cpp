#include "render/colour_effects.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "render/alpha_rows.h"
#include "render/effect_rows.h"
#include "render/luma_avx2.h"

// Each row goes through the vector kernels of effect_rows.cpp, or for the
// luma effects the whole frame through luma_avx2.cpp where the processor
// allows. The luma effects keep rows of lumas in scratch space at the end of
// the output buffer, so a presentation allocates nothing once the buffer
// exists.

namespace {

constexpr std::size_t kStreamBytes = std::size_t{2} << 20;

EffectRowIn FrameRow(const PlanarImage& frame, int y) {
  const std::size_t offset = static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width);
  return EffectRowIn{frame.red.data() + offset, frame.green.data() + offset, frame.blue.data() + offset};
}

// Scratch: this row's lumas, the row above's, and Emboss's D row. The AVX2
// kernel takes the frame where it can, the SSE2 one otherwise; `planes`
// holds the colours of the table effects for the AVX-512 lookups.
template <LumaOrder order, LumaOutput output>
void LumaRows(const PlanarImage& frame, std::uint32_t* rows, std::uint8_t* scratch, bool stream,
              const TablePlanes* planes = nullptr) {
  const int width = frame.width, height = frame.height;
  const LumaFrame whole{frame.red.data(), frame.green.data(), frame.blue.data(), width, height, rows, scratch,
                        goldRamp, planes, stream};
  if (LumaFrameAvx2<order, output>(whole)) return;
  const auto w = static_cast<std::size_t>(width);
  std::uint8_t* lumas[2] = {scratch, scratch + w};
  std::uint8_t* ds = scratch + 2 * w;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* here = lumas[y & 1];
    if (output == LumaOutput::Emboss) EmbossDs(lumas[(y + 1) & 1], ds, width, y == 0, y == height - 1);
    const LumaRow row{FrameRow(frame, y), ds, goldRamp, here, rows + static_cast<std::size_t>(height - 1 - y) * w,
                      width, stream};
    LumaPixels<order, output>(row, 0);
  }
}

TablePlanes SepiaPlanes() {
  std::uint32_t table[256];
  for (int luma = 0; luma < 256; ++luma) table[luma] = SepiaColour(luma);
  return SplitTable(table);
}

}  // namespace

const std::uint32_t goldRamp[256] = {
    0x352C00u, 0x3B3100u, 0x3B3100u, 0x413500u, 0x413500u, 0x463A01u, 0x463A01u, 0x4C3F01u,
    0x524402u, 0x524402u, 0x584802u, 0x584802u, 0x5E4E03u, 0x645203u, 0x645203u, 0x6A5804u,
    0x705D05u, 0x766206u, 0x766206u, 0x7C6706u, 0x816B07u, 0x877009u, 0x877009u, 0x8D7509u,
    0x937A0Bu, 0x997F0Cu, 0x9F850Eu, 0xA48910u, 0xA48910u, 0xAA8E12u, 0xB09314u, 0xB59816u,
    0xBB9D18u, 0xC0A21Bu, 0xC6A71Fu, 0xCCAD22u, 0xD1B226u, 0xD6B62Au, 0xDBBB2Fu, 0xE1C236u,
    0xE6C73Eu, 0xEACC47u, 0xF0D351u, 0xF4D85Cu, 0xF8DE69u, 0xF8E075u, 0xFDE785u, 0xFFEB93u,
    0xFFEEA2u, 0xFFF1B0u, 0xFFF3BEu, 0xFFF6CCu, 0xFFF8D9u, 0xFFFAE4u, 0xFFFDEFu, 0xFFFEF8u,
    0xFFFFFDu, 0xFFFFFFu, 0xFFFFFDu, 0xFFF6CEu, 0xFFED99u, 0xFFE675u, 0xFFE25Fu, 0xFFDF50u,
    0xFFDD44u, 0xFFDB3Cu, 0xFFDA37u, 0xFFD932u, 0xFFD82Bu, 0xFFD728u, 0xFFD725u, 0xFFD622u,
    0xFFD620u, 0xFFD61Eu, 0xFBD119u, 0xF3CB17u, 0xECC414u, 0xE5BE12u, 0xDEB810u, 0xD5B10Fu,
    0xCCA90Du, 0xB9990Au, 0xB09109u, 0xA78A08u, 0x9D8207u, 0x937906u, 0x8A7205u, 0x786304u,
    0x6E5B03u, 0x675503u, 0x5E4D02u, 0x574802u, 0x504201u, 0x433701u, 0x3E3301u, 0x392F01u,
    0x352C01u, 0x322900u, 0x302800u, 0x2E2600u, 0x2E2600u, 0x2F2700u, 0x312800u, 0x342B01u,
    0x382E01u, 0x3C3201u, 0x453901u, 0x4A3D01u, 0x4F4102u, 0x554602u, 0x5B4B02u, 0x615003u,
    0x695704u, 0x6F5C04u, 0x766105u, 0x7E6805u, 0x8C7408u, 0x957B09u, 0x9C820Bu, 0xA4880Cu,
    0xAC8F0Eu, 0xB39510u, 0xBB9C12u, 0xC3A314u, 0xCAA916u, 0xD2B01Au, 0xD9B71Du, 0xE0BD21u,
    0xE7C426u, 0xEECA2Au, 0xF3CF2Fu, 0xF8D434u, 0xF8D539u, 0xFFDD43u, 0xFFDF50u, 0xFFE365u,
    0xFFEEA3u, 0xFFFBE8u, 0xFFFEF7u, 0xFFFFFCu, 0xFFFFFDu, 0xFFFFFAu, 0xFFFEF6u, 0xFFFDF2u,
    0xFFFCECu, 0xFFFBE6u, 0xFFFAE0u, 0xFFF8D9u, 0xFFF7D3u, 0xFFF6CCu, 0xFFF3BDu, 0xFFF2B5u,
    0xFFF0AEu, 0xFFEFA6u, 0xFFEE9Fu, 0xFDEA95u, 0xFAE68Du, 0xF0DA79u, 0xEBD46Fu, 0xE7D067u,
    0xE2CA5Fu, 0xDCC456u, 0xD7BE4Fu, 0xCBB13Fu, 0xC6AC3Au, 0xC0A633u, 0xB9A02Eu, 0xB49B29u,
    0xAD9425u, 0xA1891Du, 0x9B841Bu, 0x967F18u, 0x907914u, 0x8A7412u, 0x836E0Fu, 0x78640Bu,
    0x73600Au, 0x6D5B08u, 0x685607u, 0x635206u, 0x5E4E05u, 0x594A04u, 0x4E4103u, 0x4A3D02u,
    0x463A02u, 0x423601u, 0x3E3301u, 0x3A3001u, 0x342B00u, 0x322900u, 0x2F2700u, 0x2D2500u,
    0x2C2400u, 0x2B2300u, 0x2A2300u, 0x2B2300u, 0x2C2400u, 0x302800u, 0x332A00u, 0x362C00u,
    0x3A3000u, 0x3E3301u, 0x433701u, 0x493C01u, 0x4E4002u, 0x554602u, 0x5B4B02u, 0x625103u,
    0x685604u, 0x705C04u, 0x786306u, 0x806A07u, 0x897108u, 0x917809u, 0x997F0Au, 0xA2870Cu,
    0xAA8D0Eu, 0xB39510u, 0xBC9D12u, 0xC5A514u, 0xCEAD18u, 0xD6B41Au, 0xDEBB1Du, 0xE7C321u,
    0xEEC925u, 0xF4CF29u, 0xFAD52Eu, 0xFAD532u, 0xFAD532u, 0xFFDA37u, 0xFFDB3Bu, 0xFFDC42u,
    0xFFDD48u, 0xFFDF4Fu, 0xFFDF4Fu, 0xFFE057u, 0xFFE261u, 0xFFE46Du, 0xFFE46Du, 0xFFE77Au,
    0xFFEA89u, 0xFFED99u, 0xFFED99u, 0xFFF0ABu, 0xFFF3BDu, 0xFFF3BDu, 0xFFF7CFu, 0xFFF7CFu,
    0xFFFAE0u, 0xFFFDF0u, 0xFFFDF0u, 0xFFFFFEu, 0xFFFFFEu, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFDu,
};

int LumaGrayscale(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Luma<LumaOrder::RedGreenBlue>(r, g, b);
}
int LumaGold(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Luma<LumaOrder::GreenRedBlue>(r, g, b);
}
int LumaSepia(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Luma<LumaOrder::BlueGreenRed>(r, g, b);
}

bool RenderPresentation(const PlanarImage& frame, int effect, std::vector<std::uint32_t>& rows) {
  if (frame.width <= 0 || frame.height <= 0) {
    rows.clear();
    return false;
  }
  const std::size_t count = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
  if (frame.red.size() < count || frame.green.size() < count || frame.blue.size() < count) {
    rows.clear();
    return false;
  }
  const bool luma = effect == Grayscale || effect == Gold || effect == Sepia || effect == Emboss;
  // Three rows of bytes after the pixels, and a byte before two of them.
  const std::size_t scratch = luma ? (3 * static_cast<std::size_t>(frame.width) + 2 + 3) / 4 : 0;
  try {
    rows.resize(count + scratch);
  } catch (const std::bad_alloc&) {
    rows.clear();
    return false;
  }

  // Pictures beyond the caches go straight to memory: reading the old buffer
  // lines in first would only cost time.
  const bool stream = count * 4 >= kStreamBytes;
  std::uint8_t* scratchBytes = reinterpret_cast<std::uint8_t*>(rows.data() + count);
  switch (effect) {
    case Grayscale:
      LumaRows<LumaOrder::RedGreenBlue, LumaOutput::Grey>(frame, rows.data(), scratchBytes, stream);
      break;
    case Gold: {
      static const TablePlanes goldPlanes = SplitTable(goldRamp);
      LumaRows<LumaOrder::GreenRedBlue, LumaOutput::Table>(frame, rows.data(), scratchBytes, stream,
                                                            &goldPlanes);
      break;
    }
    case Emboss:
      LumaRows<LumaOrder::GreenRedBlue, LumaOutput::Emboss>(frame, rows.data(), scratchBytes, stream);
      break;
    case Sepia: {
      static const TablePlanes sepiaPlanes = SepiaPlanes();
      LumaRows<LumaOrder::BlueGreenRed, LumaOutput::Sepia>(frame, rows.data(), scratchBytes, stream,
                                                            &sepiaPlanes);
      break;
    }
    default: {
      const int width = frame.width;
      for (int y = 0; y < frame.height; ++y) {
        std::uint32_t* out = rows.data() + static_cast<std::size_t>(frame.height - 1 - y) * static_cast<std::size_t>(width);
        const EffectRowIn in = FrameRow(frame, y);
        if (effect == Negative) {
          NegativePixels(in, out, width, stream);
        } else if (effect == Solarization) {
          SolarizationPixels(in, out, width, stream);
        } else {
          NormalPixels(in, out, width, stream);
        }
      }
    }
  }
  _mm_sfence();  // streamed stores are visible before the rows are used
  rows.resize(count);
  return true;
}

bool RenderPremultipliedPresentation(const PlanarImage& frame, const std::vector<std::uint8_t>& alpha, int effect,
                                     std::vector<std::uint32_t>& rows) {
  const std::size_t width = frame.width > 0 ? static_cast<std::size_t>(frame.width) : 0;
  const std::size_t count = width * (frame.height > 0 ? static_cast<std::size_t>(frame.height) : 0);
  const bool hasAlpha = count != 0 && alpha.size() == count;
  const bool normal = effect < Normal || effect > Emboss || effect == Normal;
  const bool rowWise = normal || effect == Negative || effect == Solarization;
  if (!hasAlpha || !rowWise) {
    if (!RenderPresentation(frame, effect, rows)) return false;
    if (!hasAlpha) {
      for (std::uint32_t& pixel : rows) pixel |= 0xFF000000u;
      return true;
    }
    // Rows are bottom-up: output row k is frame row height - 1 - k.
    for (int y = 0; y < frame.height; ++y) {
      PremultiplyPixels(rows.data() + static_cast<std::size_t>(frame.height - 1 - y) * width,
                        alpha.data() + static_cast<std::size_t>(y) * width, frame.width);
    }
    return true;
  }
  // Normal, the usual case, in one pass from the planes; the other per-pixel
  // effects a row at a time, premultiplied while the row is in the cache.
  if (frame.red.size() < count || frame.green.size() < count || frame.blue.size() < count) {
    rows.clear();
    return false;
  }
  try {
    rows.resize(count);
  } catch (const std::bad_alloc&) {
    rows.clear();
    return false;
  }
  const bool stream = count * 4 >= kStreamBytes;
  for (int y = 0; y < frame.height; ++y) {
    const std::uint8_t* rowAlpha = alpha.data() + static_cast<std::size_t>(y) * width;
    std::uint32_t* out = rows.data() + static_cast<std::size_t>(frame.height - 1 - y) * width;
    if (normal) {
      NormalAlphaPixels(FrameRow(frame, y), rowAlpha, out, frame.width, stream);
      continue;
    }
    if (effect == Negative) {
      NegativePixels(FrameRow(frame, y), out, frame.width, false);
    } else {
      SolarizationPixels(FrameRow(frame, y), out, frame.width, false);
    }
    PremultiplyPixels(out, rowAlpha, frame.width);
  }
  _mm_sfence();
  return true;
}

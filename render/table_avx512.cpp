#include "render/table_avx512.h"

#include "render/luma_avx2.h"

// HORALUNE_BUILD_AVX2 marks the builds where wide vectors are safe (not MinGW).
#if defined(__x86_64__) && defined(__GNUC__) && defined(HORALUNE_BUILD_AVX2)
#define HORALUNE_TABLE_AVX512 1
#include <immintrin.h>
// GCC 12 takes the "undefined" lanes inside its AVX-512 intrinsics for
// uninitialised variables.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

TablePlanes SplitTable(const std::uint32_t* table) {
  TablePlanes planes{};
  for (int i = 0; i < 256; ++i) {
    planes.red[i] = static_cast<std::uint8_t>(table[i] >> 16);
    planes.green[i] = static_cast<std::uint8_t>(table[i] >> 8);
    planes.blue[i] = static_cast<std::uint8_t>(table[i]);
  }
  return planes;
}

#ifdef HORALUNE_TABLE_AVX512
namespace {

#define HORALUNE_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// One plane's bytes for 64 lumas: two 128-entry permutes, chosen by each
// luma's top bit.
HORALUNE_AVX512 inline __m512i Look(const std::uint8_t* plane, __m512i index, __mmask64 top) {
  const __m512i a = _mm512_permutex2var_epi8(_mm512_loadu_si512(plane), index, _mm512_loadu_si512(plane + 64));
  const __m512i b =
      _mm512_permutex2var_epi8(_mm512_loadu_si512(plane + 128), index, _mm512_loadu_si512(plane + 192));
  return _mm512_mask_blend_epi8(top, a, b);
}

template <bool stream>
HORALUNE_AVX512 inline void Store(std::uint32_t* out, __m512i p) {
  if (stream) {
    // Rows are only known to start on a 16-byte boundary.
    _mm_stream_si128(reinterpret_cast<__m128i*>(out), _mm512_castsi512_si128(p));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 4), _mm512_extracti32x4_epi32(p, 1));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 8), _mm512_extracti32x4_epi32(p, 2));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 12), _mm512_extracti32x4_epi32(p, 3));
  } else {
    _mm512_storeu_si512(out, p);
  }
}

template <bool stream>
HORALUNE_AVX512 inline void Chunk(const TablePlanes& planes, const std::uint8_t* lumas, std::uint32_t* out) {
  // The unpacks below work within 128-bit quarters: spread the lumas in
  // groups of four (quarter q holds pixels 4q..4q+3, 16+4q.., 32+4q..,
  // 48+4q..) so that each result holds sixteen pixels in order.
  const __m512i spread = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  const __m512i index = _mm512_permutexvar_epi32(spread, _mm512_loadu_si512(lumas));
  const __mmask64 top = _mm512_movepi8_mask(index);
  const __m512i r = Look(planes.red, index, top), g = Look(planes.green, index, top),
                b = Look(planes.blue, index, top);
  const __m512i zero = _mm512_setzero_si512();
  const __m512i bgLow = _mm512_unpacklo_epi8(b, g), bgHigh = _mm512_unpackhi_epi8(b, g);
  const __m512i rLow = _mm512_unpacklo_epi8(r, zero), rHigh = _mm512_unpackhi_epi8(r, zero);
  Store<stream>(out, _mm512_unpacklo_epi16(bgLow, rLow));
  Store<stream>(out + 16, _mm512_unpackhi_epi16(bgLow, rLow));
  Store<stream>(out + 32, _mm512_unpacklo_epi16(bgHigh, rHigh));
  Store<stream>(out + 48, _mm512_unpackhi_epi16(bgHigh, rHigh));
}

HORALUNE_AVX512 int Kernel(const TablePlanes& planes, const std::uint8_t* lumas, std::uint32_t* out, int width,
                           bool stream) {
  int x = 0;
  if (stream) {
    const int misaligned = static_cast<int>((reinterpret_cast<std::uintptr_t>(out) & 15) / 4);
    if (misaligned != 0) {
      Chunk<false>(planes, lumas, out);
      x = 4 - misaligned;
    }
    for (; x + 64 <= width; x += 64) Chunk<true>(planes, lumas + x, out + x);
  }
  for (; x + 64 <= width; x += 64) Chunk<false>(planes, lumas + x, out + x);
  // The last chunk ends at the row's end, writing some pixels again.
  if (x < width) Chunk<false>(planes, lumas + width - 64, out + width - 64);
  return width;
}

const bool kHasAvx512 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi");
}();

}  // namespace
#endif

bool HasTableAvx512() {
#ifdef HORALUNE_TABLE_AVX512
  return kHasAvx512 && WideKernelsAllowed();
#else
  return false;
#endif
}

int TablePixelsAvx512(const TablePlanes& planes, const std::uint8_t* lumas, std::uint32_t* out, int width,
                      bool stream) {
#ifdef HORALUNE_TABLE_AVX512
  if (HasTableAvx512() && width >= 64) return Kernel(planes, lumas, out, width, stream);
#else
  (void)planes, (void)lumas, (void)out, (void)width, (void)stream;
#endif
  return 0;
}

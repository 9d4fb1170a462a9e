// Bitmap files in every form Windows loads, each with the pixels it must give.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct BmpSample {
  std::string name;
  std::string bytes;                 // the whole file
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> expected;  // 0xRRGGBB, top row first
  bool topDown = false;
  std::uint32_t headerSize = 0;
  // Bytes at the end of the file that a reader may do without (the last
  // row's padding).
  std::size_t optionalTail = 0;
  // Run-length data that stops after the top row's last pixel, without the
  // closing markers.
  bool unclosedRunLength = false;
};

std::vector<BmpSample> MakeBmpCorpus();

// Where Wine 8's LoadImageA parts from Windows (which our decoder follows):
// it gives an all-black picture for top-down rows, it refuses the 52- and
// 56-byte info headers, and it leaves black the top row of run-length data
// that ends without its closing markers.
enum class WineDifference { kNone, kTopDownBlack, kHeaderRefused, kUnclosedTopRowBlack };
WineDifference KnownWineDifference(const BmpSample& sample);

// Little-endian helpers for building and patching files by hand.
void PutLe16(std::string& bytes, std::size_t at, std::uint32_t value);
void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value);

// horalune-frame --day-digests: one line per second of a day, "HH:MM:SS"
// and a 64-bit FNV-1a digest of the presented frame, so that two builds can
// be compared frame for frame without writing 86,400 pictures.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

class ClockState;

std::uint64_t FrameDigest(const std::vector<std::uint32_t>& rows);

// Composes and presents every second from 00:00:00 to 23:59:59 through
// `effect` (the dial at rest) and prints the lines to `out`. False when a
// frame gives no picture.
bool PrintDayDigests(ClockState& clock, int effect, std::FILE* out);

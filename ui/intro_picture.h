// The work introduction's picture: the clock's top-left part over the
// dialog's face colour, at half strength at its left edge and fading to
// nothing towards the right, only inside the clock's outline.
#pragma once
#include <cstdint>

class ClockState;

// faceColour is the platform's colour value 0x00BBGGRR. Reads the composed
// picture `frame` and `hitMask` only within their own sizes.
void BuildIntroPicture(ClockState& clock, std::uint32_t faceColour);
void FreeIntroPicture(ClockState& clock);

// Hour numerals drawn as strokes of even width: lines and circular arcs in a box
// one unit high and 0.56 wide.
#pragma once
#include "tools/skingen/raster.h"

namespace skingen {

// The numeral `value` (1..12) centred on `centre`, `height` pixels high, with
// strokes `stroke` pixels wide.
Shape Numeral(int value, Point centre, double height, double stroke);

}  // namespace skingen

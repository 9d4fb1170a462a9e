// Sine and cosine rounded to the nearest double, worked out in plain integer
// arithmetic at whatever precision it takes to be sure of the rounding. Slow
// (a few microseconds, the first call longer); ExactSin and ExactCos only
// come here when their quick double-double result is too close to call, or
// for arguments beyond the quick path's range.
#pragma once

// Finite arguments only; any finite double.
double MultiPrecisionSin(double x);
double MultiPrecisionCos(double x);

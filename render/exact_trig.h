// Sine and cosine rounded to the nearest double (ties cannot occur), so that
// every build and every C library gives the same bits: a turned layer is
// drawn from these two numbers, and one last-bit difference moves
// anti-aliased pixels.
//
// Plain IEEE double arithmetic only (no long double, no fused multiply-add):
// a double-double evaluation for |x| <= 8, rounded when it is safely clear of
// the half-way point between two doubles, else the exact slow path.
#pragma once

double ExactSin(double x);  // NaN for NaN and infinities
double ExactCos(double x);

// Whether the tests run under Wine rather than Windows (always false in the
// native build). Known differences of Wine's Win32 services are marked with it.
#pragma once

#ifdef _WIN32
bool RunningUnderWine();  // tests/unit_win32/wine_check.cpp
#else
inline bool RunningUnderWine() { return false; }
#endif

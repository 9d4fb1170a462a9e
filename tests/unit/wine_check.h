// Whether the tests run under Wine rather than Windows (always false in the
// native build). Known differences of Wine's Win32 services are marked with it.
#pragma once

// tests/unit_win32/wine_check.cpp; tests/unit_native/test_host.cpp.
bool RunningUnderWine();

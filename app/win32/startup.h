// Start-up of the clock: the window, the settings file check, the start-up
// skin, the first frame.
#pragma once
#include <windows.h>

#include <string>

// `commandLine` is what follows the program's name, in code page 932 (one
// pair of quotation marks around it is dropped). False
// when start-up stopped (every message has been shown).
bool InitApplication(HINSTANCE instanceHandle, const std::string& commandLine, int showCommand);

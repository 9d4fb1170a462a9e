// What a command-line program writes, in the program's conventions.
#pragma once
#include <cstdio>
#include <string>

namespace platform {

// Writes UTF-8 text to `stream` (stdout or stderr). A Windows console is given
// the text as UTF-16, so Japanese reads right whatever its code page; a file
// or a pipe gets the UTF-8 bytes. False when the text could not be written.
bool WriteProgramText(std::FILE* stream, const std::string& utf8);

}  // namespace platform

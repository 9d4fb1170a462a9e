// What a command-line program is started with, in the program's conventions.
#pragma once
#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name, in UTF-8 (on Windows read from the
// wide command line: the narrow one is in the ANSI code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// A UTF-8 `path` made absolute against the current folder, with backslashes,
// so that the folder of a file is everything up to its last one (UTF-8 never
// uses 0x2F inside a character, so turning slashes round is safe).
std::string AbsolutePath(const std::string& path);

}  // namespace platform

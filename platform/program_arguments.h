// What a command-line program is started with, in the program's conventions.
#pragma once
#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name, in code page 932 (on Windows read
// from the wide command line: the narrow one is in the ANSI code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// `path` made absolute against the current folder, with backslashes, so that
// the folder of a file is everything up to its last one (0x2F is never the
// second byte of a code-page-932 character, so turning slashes round is safe).
std::string AbsolutePath(const std::string& path);

}  // namespace platform

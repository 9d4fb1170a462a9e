// Native build only: a path as the host file system spells it (the program
// keeps UTF-8 with backslashes; the host wants slashes).
#pragma once
#include <string>

namespace platform {

std::string NativePath(const char* utf8Path);

}  // namespace platform

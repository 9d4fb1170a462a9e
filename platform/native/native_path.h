// Native build only: a code-page-932 path as the host file system spells it
// (UTF-8, folders separated by slashes).
#pragma once
#include <string>

namespace platform {

std::string NativePath(const char* path);

}  // namespace platform

// Small text rules shared by the skin readers: the "non" value and file names
// made from the skin directory.
#pragma once
#include <string>

namespace skin {

// True when the value is "non" in any mix of upper and lower case.
bool IsNon(const std::string& value);

// The skin directory (UTF-8) immediately followed by a value from the skin file
// (code page 932). A path longer than the 259 UTF-16 units a path may hold comes
// back empty (it names no file), rather than cut to a shorter path that might
// name a different one.
std::string SkinFilePath(const std::string& utf8SkinDirectory, const std::string& cp932Value);

}  // namespace skin

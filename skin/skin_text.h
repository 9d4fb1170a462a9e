// Small text rules shared by the skin readers: the "non" value and file names
// made from the skin directory.
#pragma once
#include <string>

namespace skin {

// True when the value is "non" in any mix of upper and lower case.
bool IsNon(const std::string& value);

// The skin directory immediately followed by a value from the skin file. A path
// longer than the 259 bytes a path may hold comes back empty (it names no file),
// rather than cut to a shorter path that might name a different one.
std::string SkinFilePath(const std::string& skinDirectory, const std::string& value);

}  // namespace skin

#include "skin/skin_text.h"

#include "platform/ascii.h"
#include "platform/files.h"

namespace skin {

bool IsNon(const std::string& value) { return ascii::EqualsIgnoringCase(value, "non"); }

std::string SkinFilePath(const std::string& utf8SkinDirectory, const std::string& cp932Value) {
  return platform::JoinPath(utf8SkinDirectory, cp932Value);
}

}  // namespace skin

#include "skin/skin_text.h"

#include "platform/ascii.h"
#include "platform/files.h"

namespace skin {

bool IsNon(const std::string& value) { return ascii::EqualsIgnoringCase(value, "non"); }

std::string SkinFilePath(const std::string& skinDirectory, const std::string& value) {
  return platform::JoinPath(skinDirectory, value);
}

}  // namespace skin

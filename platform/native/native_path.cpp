#include "platform/native/native_path.h"

namespace platform {

std::string NativePath(const char* utf8Path) {
  if (!utf8Path) return std::string();
  // UTF-8 never uses 0x5C inside a character: every backslash separates.
  std::string native = utf8Path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace platform

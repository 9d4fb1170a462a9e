#include "platform/native/native_path.h"

#include "platform/text.h"

namespace platform {

std::string NativePath(const char* path) {
  if (!path) return std::string();
  // Convert first: a second byte 0x5C inside a character is no separator, and
  // UTF-8 never uses 0x5C inside a character.
  std::string native = Utf8FromCp932(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace platform

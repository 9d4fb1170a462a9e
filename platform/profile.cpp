#include "platform/profile.h"

#include <vector>

namespace platform {

std::string ReadProfileString(const char* section, const char* key, const char* def,
                              const char* path, std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  std::vector<char> buffer(bufferSize, '\0');
  const std::size_t length = ReadProfileString(section, key, def, buffer.data(), bufferSize, path);
  return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

}  // namespace platform

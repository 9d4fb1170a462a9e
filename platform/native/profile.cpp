// Our own profile reader and writer: the file is read whole, looked up or
// edited as text, and written back only when an edit changed it.
#include <string>

#include "platform/files.h"
#include "platform/ini_document.h"
#include "platform/profile.h"

namespace platform {

std::size_t ReadProfileString(const char* section, const char* key, const char* def,
                              char* out, std::size_t size, const char* path) {
  if (!out || size == 0) return 0;
  std::string text;
  std::string value;
  if (path && ReadWholeFile(path, text) && ini::FindValue(text, section, key, value)) {
    return ini::CopyValue(value, out, size);
  }
  // A missing file, section or key: the default without its trailing blanks.
  const std::string fallback = ini::TrimDefault(def);
  std::size_t length = fallback.size() < size - 1 ? fallback.size() : size - 1;
  fallback.copy(out, length);
  out[length] = '\0';
  return length;
}

unsigned ReadProfileInt(const char* section, const char* key, int def, const char* path) {
  char buffer[30];  // the platform reads integers through a buffer of this size
  if (ReadProfileString(section, key, "", buffer, sizeof buffer, path) == 0) {
    return static_cast<unsigned>(def);
  }
  return ini::ParseProfileInt(buffer);
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* path) {
  if (!section || !path) return false;
  std::string text;
  const bool existed = ReadWholeFile(path, text);
  if (!existed && FileExists(path)) return false;  // there but unreadable
  bool changed;
  if (!key) {
    changed = ini::DeleteSection(text, section);
  } else if (!value) {
    changed = ini::DeleteKey(text, section, key);
  } else {
    changed = ini::SetValue(text, section, key, value);
  }
  if (!changed) return true;  // nothing to delete (or no change): the file stays as it is
  return WriteWholeFile(path, text);
}

}  // namespace platform

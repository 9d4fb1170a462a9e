// One call, one file: each reads the file whole, and a write writes it whole
// again when it changed. Several reads or writes to one file go through an
// IniFile instead.
#include "platform/profile.h"

#include "platform/ini_file.h"

namespace platform {

std::size_t ReadProfileString(const char* section, const char* key, const char* def,
                              char* out, std::size_t size, const char* path) {
  if (!out || size == 0) return 0;
  return IniFile(path ? path : "").GetString(section, key, def, out, size);
}

std::string ReadProfileString(const char* section, const char* key, const char* def,
                              const char* path, std::size_t bufferSize) {
  return IniFile(path ? path : "").GetString(section, key, def, bufferSize);
}

unsigned ReadProfileInt(const char* section, const char* key, int def, const char* path) {
  return IniFile(path ? path : "").GetInt(section, key, def);
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* path) {
  if (!section || !path) return false;
  IniFile file(path);
  const bool edited = !key ? file.DeleteSection(section) : file.Set(section, key, value);
  return edited && file.Save();
}

}  // namespace platform

#include "platform/files.h"

#include "platform/text.h"

namespace platform {

std::size_t Utf16Units(const char* utf8) {
  std::size_t units = 0;
  for (const char* p = utf8; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if ((c & 0xC0) == 0x80) continue;  // continues the character before
    units += c >= 0xF0 ? 2 : 1;        // four bytes: a surrogate pair
  }
  return units;
}

std::string JoinPath(const std::string& utf8Folder, const std::string& cp932Name) {
  std::string path = utf8Folder + Utf8FromCp932(cp932Name);
  if (!PathFits(path.c_str())) path.clear();
  return path;
}

std::string PathFromCp932(const std::string& cp932Path) { return JoinPath(std::string(), cp932Path); }

std::size_t LastPathSeparator(const std::string& utf8Path) { return utf8Path.rfind('\\'); }

std::string PathWrittenBeside(const std::string& utf8Path) {
  // Both separators: Windows takes '/' too, and test paths natively use it.
  const std::size_t nameStart = utf8Path.find_last_of("\\/") + 1;  // npos + 1 is 0
  const std::size_t dot = utf8Path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart &&
                            utf8Path.compare(dot, std::string::npos, ".~") != 0;
  return (hasExtension ? utf8Path.substr(0, dot) : utf8Path) + ".~";
}

std::string SettingsFilePath(const std::string& utf8ProgramDirectory) {
  return JoinPath(utf8ProgramDirectory, kSettingsFileName);
}

}  // namespace platform

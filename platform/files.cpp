#include "platform/files.h"

namespace platform {

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::string path = folder + name;
  if (path.size() > kMaxPathBytes) path.clear();
  return path;
}

std::string SettingsFilePath(const std::string& programDirectory) {
  return JoinPath(programDirectory, kSettingsFileName);
}

}  // namespace platform

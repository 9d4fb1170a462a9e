#include "skin/skin_text.h"

#include <cstddef>

namespace skin {

namespace {
constexpr std::size_t kMaxPathBytes = 259;
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsNon(const std::string& value) { return EqualsIgnoringCase(value, "non"); }

std::string SkinFilePath(const std::string& skinDirectory, const std::string& value) {
  std::string path = skinDirectory + value;
  if (path.size() > kMaxPathBytes) path.clear();
  return path;
}

}  // namespace skin

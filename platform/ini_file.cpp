#include "platform/ini_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/ini_document.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr char kUtf16LeBom[] = "\xFF\xFE";

bool IsUnicode(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8Bom ||
         encoding == TextEncoding::Utf16LeBom;
}

// The file's own line end, so that added lines match the ones around them (a
// file from an editor may end its lines in LF alone); CR LF in a new file.
std::string FirstLineEnd(const std::string& text) {
  const std::size_t end = text.find_first_of("\r\n");
  if (end == std::string::npos) return "\r\n";
  if (text[end] == '\n') return "\n";
  return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  found_ = ReadWholeFile(path_.c_str(), original_);
  if (!found_) {
    blocked_ = FileExists(path_.c_str());
    return;
  }
  encoding_ = DetectEncoding(original_);
  switch (encoding_) {
    case TextEncoding::Cp932:
    case TextEncoding::Unreadable:
    case TextEncoding::Utf8:
      document_ = original_;
      break;
    case TextEncoding::Utf8Bom:
      document_ = original_.substr(sizeof kUtf8Bom - 1);
      break;
    case TextEncoding::Utf16LeBom:
      Utf8FromUtf16Le(std::string_view(original_).substr(sizeof kUtf16LeBom - 1), document_);
      break;
  }
  newline_ = FirstLineEnd(document_);
  savedDocument_ = document_;
}

std::string IniFile::ToDocument(const char* cp932) const {
  if (!cp932) return std::string();
  return IsUnicode(encoding_) ? Utf8FromCp932(cp932) : std::string(cp932);
}

bool IniFile::Find(const char* section, const char* key, std::string& value) const {
  if (!found_ || !section || !key) return false;
  if (!ini::FindValue(document_, ToDocument(section).c_str(), ToDocument(key).c_str(), value)) {
    return false;
  }
  if (IsUnicode(encoding_)) value = Cp932FromUtf8(value);
  return true;
}

std::size_t IniFile::GetString(const char* section, const char* key, const char* def, char* out,
                               std::size_t size) const {
  if (!out || size == 0) return 0;
  std::string value;
  if (Find(section, key, value)) return ini::CopyValue(value, out, size);
  const std::string fallback = ini::TrimDefault(def);
  const std::size_t length = std::min(fallback.size(), size - 1);
  fallback.copy(out, length);
  out[length] = '\0';
  return length;
}

std::string IniFile::GetString(const char* section, const char* key, const char* def,
                               std::size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  std::vector<char> buffer(bufferSize, '\0');
  const std::size_t length = GetString(section, key, def, buffer.data(), bufferSize);
  return std::string(buffer.data(), length);
}

unsigned IniFile::GetInt(const char* section, const char* key, int def) const {
  char buffer[30];  // the profile functions read integers through a buffer of this size
  if (GetString(section, key, "", buffer, sizeof buffer) == 0) return static_cast<unsigned>(def);
  return ini::ParseProfileInt(buffer);
}

bool IniFile::Editable() const { return !blocked_ && encoding_ != TextEncoding::Unreadable; }

bool IniFile::Set(const char* section, const char* key, const char* value) {
  if (!section || !key) return false;
  if (!value) return DeleteKey(section, key);
  if (!Editable()) return false;
  if (ini::SetValue(document_, ToDocument(section).c_str(), ToDocument(key).c_str(),
                    ToDocument(value).c_str(), newline_.c_str())) {
    changed_ = true;
  }
  return true;
}

bool IniFile::DeleteKey(const char* section, const char* key) {
  if (!section || !key || !Editable()) return false;
  if (ini::DeleteKey(document_, ToDocument(section).c_str(), ToDocument(key).c_str())) {
    changed_ = true;
  }
  return true;
}

bool IniFile::DeleteSection(const char* section) {
  if (!section || !Editable()) return false;
  if (ini::DeleteSection(document_, ToDocument(section).c_str())) changed_ = true;
  return true;
}

std::string IniFile::FileBytes() const {
  switch (encoding_) {
    case TextEncoding::Utf8Bom:
      return kUtf8Bom + document_;
    case TextEncoding::Utf16LeBom:
      return kUtf16LeBom + Utf16LeFromUtf8(document_);
    default:
      return document_;
  }
}

// Text that CP932 cannot hold survives only in lines we leave alone. Before an
// edit rewrites or drops such a line, the original goes to "<name>.bak".
bool IniFile::KeepBackupIfTextIsLost() const {
  if (!IsUnicode(encoding_)) return true;
  std::vector<std::string> kept = Lines(document_);
  std::sort(kept.begin(), kept.end());
  for (const std::string& line : Lines(savedDocument_)) {
    bool exact = true;
    Cp932FromUtf8Checked(line, exact);
    if (exact) continue;
    const auto at = std::lower_bound(kept.begin(), kept.end(), line);
    if (at == kept.end() || *at != line) return WriteFileSafely((path_ + ".bak").c_str(), original_);
    kept.erase(at);
  }
  return true;
}

bool IniFile::Save() {
  if (!changed_) return true;
  if (!Editable()) return false;
  if (found_ && !FileReadWritable(path_.c_str())) return false;
  if (!KeepBackupIfTextIsLost()) return false;
  if (!WriteFileSafely(path_.c_str(), FileBytes())) return false;
  original_ = FileBytes();
  savedDocument_ = document_;
  found_ = true;
  changed_ = false;
  return true;
}

}  // namespace platform

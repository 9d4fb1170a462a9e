#include "platform/ini_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/ini_document.h"
#include "platform/text.h"

namespace platform {
namespace {

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

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// What a file's bytes read as: its encoding and its document.
std::string DocumentOf(const std::string& bytes, TextEncoding encoding, bool& exact) {
  exact = true;
  return IsUnicode(encoding) ? Utf8FromUnicodeFile(bytes, encoding, exact) : bytes;
}

// Lines of a Unicode document that an edit could not write back as they are:
// text CP932 cannot hold, or bytes UTF-8 does not allow.
bool LineSurvivesOnlyUntouched(const std::string& line) {
  bool exact = true;
  Cp932FromUtf8Checked(line, exact);
  return !exact;
}

// "<path>.bak", then "<path>.1.bak", "<path>.2.bak" ...
std::string BackupName(const std::string& path, int n) {
  return n == 0 ? path + ".bak" : path + "." + std::to_string(n) + ".bak";
}
constexpr int kBackupNames = 100;

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  found_ = ReadWholeFile(path_.c_str(), original_);
  if (!found_) {
    blocked_ = FileExists(path_.c_str());
    return;
  }
  encoding_ = DetectEncoding(original_);
  document_ = DocumentOf(original_, encoding_, exactlyDecoded_);
  newline_ = FirstLineEnd(document_);
  savedDocument_ = document_;
}

ini::Charset IniFile::Charset() const {
  return IsUnicode(encoding_) ? ini::Charset::Utf8 : ini::Charset::Cp932;
}

std::string IniFile::ToDocument(const char* cp932) const {
  if (!cp932) return std::string();
  return IsUnicode(encoding_) ? Utf8FromCp932(cp932) : std::string(cp932);
}

bool IniFile::Find(const char* section, const char* key, std::string& value) const {
  if (!found_ || !section || !key) return false;
  if (!ini::FindValue(document_, ToDocument(section).c_str(), ToDocument(key).c_str(), value,
                      Charset())) {
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

std::vector<std::string> IniFile::KeyNames(const char* section) const {
  std::vector<std::string> names;
  if (!found_ || !section) return names;
  names = ini::KeyNames(document_, ToDocument(section).c_str(), Charset());
  if (IsUnicode(encoding_)) {
    for (std::string& name : names) name = Cp932FromUtf8(name);
  }
  return names;
}

bool IniFile::Editable() const { return !blocked_; }

bool IniFile::Set(const char* section, const char* key, const char* value) {
  if (!section || !key) return false;
  if (!value) return DeleteKey(section, key);
  if (!Editable()) return false;
  if (ini::SetValue(document_, ToDocument(section).c_str(), ToDocument(key).c_str(),
                    ToDocument(value).c_str(), newline_.c_str(), Charset())) {
    changed_ = true;
  }
  return true;
}

bool IniFile::DeleteKey(const char* section, const char* key) {
  if (!section || !key || !Editable()) return false;
  if (ini::DeleteKey(document_, ToDocument(section).c_str(), ToDocument(key).c_str(),
                     Charset())) {
    changed_ = true;
  }
  return true;
}

bool IniFile::DeleteSection(const char* section) {
  if (!section || !Editable()) return false;
  if (ini::DeleteSection(document_, ToDocument(section).c_str(), Charset())) changed_ = true;
  return true;
}

std::string IniFile::FileBytes() const {
  return IsUnicode(encoding_) ? UnicodeFileFromUtf8(document_, encoding_) : document_;
}

// The bytes about to be written must read as this file's encoding (an ASCII
// file has none to lose) and give the document back exactly.
bool IniFile::ReadsBackAsWritten(const std::string& bytes) const {
  const TextEncoding read = DetectEncoding(bytes);
  const bool eightBit = read == TextEncoding::Cp932 || read == TextEncoding::Utf8;
  const bool mine = encoding_ == TextEncoding::Cp932 || encoding_ == TextEncoding::Utf8;
  if (read != encoding_ && !(eightBit && mine && IsAscii(document_))) return false;
  bool exact = true;
  return DocumentOf(bytes, read, exact) == document_ && exact;
}

// Text that CP932 cannot hold survives only in lines we leave alone, and a
// UTF-16 unit that did not decode survives no save. Before a save loses either,
// the file as it was goes beside it, unless a backup there already holds it.
bool IniFile::KeepBackupIfTextIsLost() const {
  if (!IsUnicode(encoding_)) return true;
  std::vector<std::string> kept = Lines(document_);
  std::sort(kept.begin(), kept.end());
  std::vector<std::string> lost;
  for (const std::string& line : Lines(savedDocument_)) {
    if (!LineSurvivesOnlyUntouched(line)) continue;
    const auto at = std::lower_bound(kept.begin(), kept.end(), line);
    if (at != kept.end() && *at == line) {
      kept.erase(at);
    } else {
      lost.push_back(line);
    }
  }
  if (lost.empty() && exactlyDecoded_) return true;
  for (int n = 0; n < kBackupNames; ++n) {
    const std::string name = BackupName(path_, n);
    std::string backup;
    if (!ReadWholeFile(name.c_str(), backup)) {
      if (FileExists(name.c_str())) continue;  // there, but not ours to read
      return WriteFileSafely(name.c_str(), original_);
    }
    if (backup == original_) return true;
    if (!exactlyDecoded_) continue;
    bool exact = true;
    std::vector<std::string> held = Lines(DocumentOf(backup, DetectEncoding(backup), exact));
    std::sort(held.begin(), held.end());
    if (std::all_of(lost.begin(), lost.end(), [&](const std::string& line) {
          return std::binary_search(held.begin(), held.end(), line);
        })) {
      return true;
    }
  }
  return false;  // a hundred backups and none holds it: do not drop the text
}

bool IniFile::Save() {
  if (!changed_) return true;
  if (!Editable()) return false;
  if (found_ && !FileReadWritable(path_.c_str())) return false;
  // Text we add must not make a file without a mark read as another encoding:
  // a mark keeps it in its own.
  if (encoding_ == TextEncoding::Utf8 && !ReadsBackAsWritten(FileBytes())) {
    encoding_ = TextEncoding::Utf8Bom;
  } else if (encoding_ == TextEncoding::Utf16Le && !ReadsBackAsWritten(FileBytes())) {
    encoding_ = TextEncoding::Utf16LeBom;
  }
  const std::string bytes = FileBytes();
  if (!ReadsBackAsWritten(bytes)) return false;
  if (!KeepBackupIfTextIsLost()) return false;
  if (!WriteFileSafely(path_.c_str(), bytes)) return false;
  std::string written;
  if (!ReadWholeFile(path_.c_str(), written) || written != bytes) return false;
  original_ = bytes;
  savedDocument_ = document_;
  exactlyDecoded_ = true;
  found_ = true;
  changed_ = false;
  return true;
}

}  // namespace platform

// A settings file (skin, Horalune.DAT) in memory: read whole once, looked up
// and edited any number of times, written whole once. It does to the file what
// the Windows profile functions do (see ini_document.h), in both builds, and
// works only on the file's bytes through the seam's file calls.
//
// Texts in and out are CP932. A file that an editor saved as UTF-8 or UTF-16
// is edited in its own encoding and byte-order mark for life; added lines end
// like the file's first line; lines no edit touches keep their bytes. Every
// save is read back before it is written: it must read as the same encoding
// and the same text, or the old file stays. A file without a mark gains one
// when the text written would otherwise make it read as another encoding.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/ini_document.h"
#include "platform/text_encoding.h"

namespace platform {

class IniFile {
 public:
  explicit IniFile(std::string path);

  bool Found() const { return found_; }
  TextEncoding Encoding() const { return encoding_; }

  // The value as the file holds it (trimmed, quotes still on); false when absent.
  bool Find(const char* section, const char* key, std::string& value) const;
  // As the profile functions hand values out: quotes stripped, cut to size - 1
  // bytes and terminated, or `def` without its trailing blanks.
  std::size_t GetString(const char* section, const char* key, const char* def, char* out,
                        std::size_t size) const;
  std::string GetString(const char* section, const char* key, const char* def,
                        std::size_t bufferSize = 256) const;
  unsigned GetInt(const char* section, const char* key, int def) const;
  // The key names of the first section named `section`, in file order (CP932).
  std::vector<std::string> KeyNames(const char* section) const;

  // Edits in memory. False when the file cannot take edits (there but not
  // readable).
  bool Set(const char* section, const char* key, const char* value);
  bool DeleteKey(const char* section, const char* key);
  bool DeleteSection(const char* section);

  // Writes the file when an edit changed it; true when nothing needed writing.
  // Before the first save that drops text the file held (text CP932 cannot
  // hold, in a line an edit rewrites or removes, or bytes its encoding does not
  // allow) the file as it was is kept as "<name>.bak", unless a backup beside it
  // already holds that text; a ".bak" is never overwritten (the next free
  // "<name>.N.bak" is used instead).
  bool Save();

 private:
  bool Editable() const;
  ini::Charset Charset() const;
  std::string ToDocument(const char* cp932) const;
  std::string FileBytes() const;
  bool ReadsBackAsWritten(const std::string& bytes) const;
  bool KeepBackupIfTextIsLost() const;

  std::string path_;
  std::string original_;  // the file's bytes as read
  std::string document_;  // CP932 bytes, or UTF-8 for files in a Unicode encoding
  bool exactlyDecoded_ = true;  // the document gives the file's bytes back
  std::string savedDocument_;  // the document as the file holds it now
  std::string newline_ = "\r\n";
  TextEncoding encoding_ = TextEncoding::Cp932;
  bool found_ = false;
  bool blocked_ = false;  // there, but not readable
  bool changed_ = false;
};

}  // namespace platform

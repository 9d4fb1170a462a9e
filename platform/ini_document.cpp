#include "platform/ini_document.h"

#include <cstring>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace ini {
namespace {

// The platform counts the control characters 9..13 and Ctrl-Z (an old end of
// file mark) as blanks around names and values.
bool IsBlank(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13) || c == 0x1A; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsCp932Trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Bytes in the character starting at text[i] (before `end`).
std::size_t CharWidth(const char* text, std::size_t i, std::size_t end, Charset charset) {
  return charset == Charset::Cp932 && IsCp932LeadByte(static_cast<unsigned char>(text[i])) &&
                 i + 1 < end && IsCp932Trail(static_cast<unsigned char>(text[i + 1]))
             ? 2
             : 1;
}

// ASCII letters match either case; the second byte of a CP932 character is
// no letter (ア is 0x83 0x41, ャ is 0x83 0x61).
bool SameName(const char* a, std::size_t aLength, const std::string& b, Charset charset) {
  if (aLength != b.size()) return false;
  for (std::size_t i = 0; i < aLength; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    if (CharWidth(a, i, aLength, charset) == 2) {
      ++i;
      if (a[i] != b[i]) return false;
    }
  }
  return true;
}

std::string Trimmed(const char* text) {
  if (!text) return std::string();
  std::size_t begin = 0;
  std::size_t end = std::strlen(text);
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text + begin, end - begin);
}

// The last ']' and the first '=' of text[begin, end) that start a character.
struct Marks {
  std::size_t close = std::string::npos;
  std::size_t equals = std::string::npos;
};

Marks FindMarks(const std::string& text, std::size_t begin, std::size_t end, Charset charset) {
  Marks marks;
  for (std::size_t i = begin; i < end; i += CharWidth(text.data(), i, end, charset)) {
    if (text[i] == ']') marks.close = i;
    if (text[i] == '=' && marks.equals == std::string::npos) marks.equals = i;
  }
  return marks;
}

enum class Kind { Blank, Section, Key };

struct Line {
  std::size_t start = 0;    // first byte of the line
  std::size_t contentEnd = 0;  // where the line end begins
  std::size_t next = 0;     // first byte of the following line
  bool terminated = false;  // ends in CR, LF or CR LF
  Kind kind = Kind::Blank;
  std::size_t nameBegin = 0, nameEnd = 0;  // section or key name, trimmed
  bool hasValue = false;
  std::size_t valueBegin = 0, valueEnd = 0;  // trimmed
};

// A line ends at LF, CR LF or a lone CR.
std::vector<Line> Parse(const std::string& text, Charset charset) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Line line;
    line.start = pos;
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    line.contentEnd = end;
    line.next = end;
    if (end < text.size()) {
      line.terminated = true;
      line.next = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2
                                                                                      : end + 1;
    }
    std::size_t begin = pos;
    while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    if (begin < end) {
      // Both searches stay inside the line: a whole-text search made every
      // parse quadratic in the file's length.
      const Marks marks = FindMarks(text, begin, end, charset);
      const std::size_t close = marks.close;
      if (text[begin] == '[' && close != std::string::npos && close > begin) {
        line.kind = Kind::Section;
        line.nameBegin = begin + 1;
        line.nameEnd = close;
      } else {
        line.kind = Kind::Key;
        const std::size_t equals = marks.equals;
        if (equals != std::string::npos) {
          std::size_t nameEnd = equals;
          while (nameEnd > begin && IsBlank(static_cast<unsigned char>(text[nameEnd - 1]))) --nameEnd;
          std::size_t valueBegin = equals + 1;
          while (valueBegin < end && IsBlank(static_cast<unsigned char>(text[valueBegin]))) ++valueBegin;
          line.nameBegin = begin;
          line.nameEnd = nameEnd;
          line.hasValue = true;
          line.valueBegin = valueBegin;
          line.valueEnd = end;
        } else {
          line.nameBegin = begin;
          line.nameEnd = end;
        }
      }
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

bool NameIs(const std::string& text, const Line& line, const std::string& name, Charset charset) {
  return SameName(text.data() + line.nameBegin, line.nameEnd - line.nameBegin, name, charset);
}

// Lines [first, last) of a section: `first` is its header (or 0 for the lines
// before any header when the name is empty). Returns false when none matches.
struct Range {
  std::size_t first = 0;
  std::size_t last = 0;
};

// The n-th section named `name` (0 = the first).
bool FindSection(const std::string& text, const std::vector<Line>& lines, const std::string& name,
                 std::size_t nth, Range& range, Charset charset) {
  std::size_t seen = 0;
  // Lines before the first header form a section with an empty name.
  bool inside = name.empty();
  if (inside && seen++ == nth) {
    range.first = 0;
  } else {
    inside = false;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != Kind::Section) continue;
    if (inside) {
      range.last = i;
      return true;
    }
    if (NameIs(text, lines[i], name, charset) && seen++ == nth) {
      inside = true;
      range.first = i;
    }
  }
  if (!inside) return false;
  range.last = lines.size();
  return true;
}

// Index of the key line inside the section, or `range.last` when absent.
std::size_t FindKey(const std::string& text, const std::vector<Line>& lines, const Range& range,
                    const std::string& key, Charset charset) {
  for (std::size_t i = range.first; i < range.last; ++i) {
    if (lines[i].kind == Kind::Key && NameIs(text, lines[i], key, charset)) return i;
  }
  return range.last;
}

// Where a line inserted after line `index` goes, terminating that line first
// when the file ends without a line end.
std::size_t InsertionPoint(std::string& text, const Line& line, const std::string& newline) {
  if (line.terminated) return line.next;
  text.insert(line.next, newline);
  return line.next + newline.size();
}

}  // namespace

bool FindValue(const std::string& text, const char* section, const char* key,
               std::string& value, Charset charset) {
  if (!section || !key) return false;
  const std::vector<Line> lines = Parse(text, charset);
  Range range;
  if (!FindSection(text, lines, Trimmed(section), 0, range, charset)) return false;
  const std::size_t at = FindKey(text, lines, range, Trimmed(key), charset);
  if (at == range.last || !lines[at].hasValue) return false;
  value.assign(text, lines[at].valueBegin, lines[at].valueEnd - lines[at].valueBegin);
  return true;
}

std::vector<std::string> KeyNames(const std::string& text, const char* section, Charset charset) {
  std::vector<std::string> names;
  if (!section) return names;
  const std::vector<Line> lines = Parse(text, charset);
  Range range;
  if (!FindSection(text, lines, Trimmed(section), 0, range, charset)) return names;
  for (std::size_t i = range.first; i < range.last; ++i) {
    const Line& line = lines[i];
    if (line.kind == Kind::Key && line.hasValue) {
      names.push_back(text.substr(line.nameBegin, line.nameEnd - line.nameBegin));
    }
  }
  return names;
}

std::size_t CopyValue(const std::string& value, char* out, std::size_t size) {
  if (!out || size == 0) return 0;
  const std::string text = value.substr(0, value.find('\0'));  // the platform's strings end there
  std::size_t begin = 0;
  std::size_t length = text.size();
  if (length >= 2 && (text[0] == '"' || text[0] == '\'') && text[length - 1] == text[0]) {
    begin = 1;
    length -= 2;
    if (length > 0 && size - 1 == length) --length;
  }
  length = CutAtCharBoundary(text.substr(begin, length), size - 1).size();
  std::memcpy(out, text.data() + begin, length);
  out[length] = '\0';
  return length;
}

std::string TrimDefault(const char* def) {
  if (!def) return std::string();
  std::string text(def);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

unsigned ParseProfileInt(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    switch (text[i + 1]) {
      case 'x': base = 16; i += 2; break;
      case 'o': base = 8; i += 2; break;
      case 'b': base = 2; i += 2; break;
      default: break;
    }
  }
  unsigned total = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'z') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'Z') digit = static_cast<unsigned>(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    total = total * base + digit;  // unsigned: wraps like the platform's
  }
  return negative ? 0u - total : total;
}

bool SetValue(std::string& text, const char* section, const char* key, const char* value,
              const char* newlineText, Charset charset) {
  if (!section || !key || !value) return false;
  const std::string newline = newlineText ? newlineText : "\r\n";
  while (IsBlank(static_cast<unsigned char>(*value))) ++value;  // the platform drops these too
  const std::string sectionName = Trimmed(section);
  const std::string keyName = key;
  const std::vector<Line> lines = Parse(text, charset);
  Range range;
  if (!FindSection(text, lines, sectionName, 0, range, charset)) {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += newline;
    text += "[" + std::string(section) + "]" + newline + keyName + "=" + value + newline;
    return true;
  }
  const std::size_t at = FindKey(text, lines, range, Trimmed(key), charset);
  if (at != range.last) {
    const Line& line = lines[at];
    const std::size_t valueLength = line.valueEnd - line.valueBegin;
    if (line.hasValue && text.compare(line.valueBegin, valueLength, value) == 0) return false;
    // Keep the line's own line end; a last line without one gets CR LF.
    const std::string replacement =
        text.substr(line.nameBegin, line.nameEnd - line.nameBegin) + "=" + value +
        (line.terminated ? std::string() : newline);
    text.replace(line.start, line.contentEnd - line.start, replacement);
    return true;
  }
  // A new key goes after the section's last non-blank line.
  std::size_t after = range.first;
  for (std::size_t i = range.first; i < range.last; ++i) {
    if (lines[i].kind != Kind::Blank) after = i;
  }
  std::size_t point;
  if (range.first == range.last) {
    point = 0;  // the empty-named section before any header, and the file is empty
  } else {
    point = InsertionPoint(text, lines[after], newline);
  }
  text.insert(point, keyName + "=" + value + newline);
  return true;
}

bool DeleteKey(std::string& text, const char* section, const char* key, Charset charset) {
  if (!section || !key) return false;
  const std::string sectionName = Trimmed(section);
  const std::string keyName = Trimmed(key);
  const std::vector<Line> lines = Parse(text, charset);
  Range range;
  // The platform looks through every section of that name for the key.
  for (std::size_t nth = 0; FindSection(text, lines, sectionName, nth, range, charset); ++nth) {
    const std::size_t at = FindKey(text, lines, range, keyName, charset);
    if (at != range.last) {
      text.erase(lines[at].start, lines[at].next - lines[at].start);
      return true;
    }
  }
  return false;
}

bool DeleteSection(std::string& text, const char* section, Charset charset) {
  if (!section) return false;
  const std::vector<Line> lines = Parse(text, charset);
  Range range;
  if (!FindSection(text, lines, Trimmed(section), 0, range, charset) || range.first == range.last) {
    return false;
  }
  const std::size_t begin = lines[range.first].start;
  const std::size_t end = range.last < lines.size() ? lines[range.last].start : text.size();
  text.erase(begin, end - begin);
  return true;
}

}  // namespace ini
}  // namespace platform

#include "calendar/anniversary_parser.h"

#include <cstdio>

#include "platform/text.h"
#include "platform/ascii.h"

namespace calendar {

const int kDaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const int kDaysBefore[12] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

namespace {

const char* const kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Where the event text starts for each line kind; the byte before it is a
// separator and is skipped whatever it holds.
constexpr std::size_t kDateTextColumn = 5;          // "MMDD text"
constexpr std::size_t kMonthDayTextColumn = 3;      // "DD text"
constexpr std::size_t kWeeklyTextColumn = 4;        // "Www text"
constexpr std::size_t kOrdinalTextColumn = 8;       // "#MMwwwN text"
// "#wwwN text": the key is five bytes, so a writer puts the text after one
// separator, just as in every other line kind.
constexpr std::size_t kEveryMonthOrdinalTextColumn = 6;

// Position 0..6 of a three-byte weekday name, ignoring ASCII case; -1 if none.
int WeekdayOfName(std::string_view name) {
  for (int i = 0; i < 7; ++i) {
    if (ascii::EqualsIgnoringCase(name, kWeekdayNames[i])) return i;
  }
  return -1;
}

// The leading decimal number of a line as atol reads it, except that a number
// too long for a long saturates instead of overflowing (anything that large is
// no date anyway).
long LeadingNumber(std::string_view line) {
  constexpr long kCeiling = 1000000;
  long n = 0;
  for (char c : line) {
    if (c < '0' || c > '9') break;
    if (n < kCeiling) n = n * 10 + (c - '0');
  }
  return n;
}

// The event text from `column` on; empty when the line is shorter.
std::string_view EventText(std::string_view line, std::size_t column) {
  if (line.size() <= column) return {};
  return line.substr(column);
}

// A line cut at the length limit may end in the first byte of a character; that
// lone byte is dropped, so it cannot swallow the CR LF that follows the text.
// Characters are found by walking from the line's first byte: a column can
// start on a second byte.
std::string_view CutLine(std::string_view line) {
  if (line.size() <= kMaxLineBytes) return line;
  line = line.substr(0, kMaxLineBytes);
  std::size_t i = 0;
  while (i < line.size()) {
    if (platform::IsCp932LeadByte(static_cast<unsigned char>(line[i]))) {
      if (i + 1 == line.size()) return line.substr(0, i);
      i += 2;
    } else {
      ++i;
    }
  }
  return line;
}

void AddOnDate(int mmdd, std::string_view text, const EventSink& add) {
  const int slot = DaySlotIndex(mmdd);
  if (slot >= 0) add(SlotKind::Day, slot, text);
}

void ParseDateOrMonthDay(std::string_view line, const EventSink& add) {
  const long n = LeadingNumber(line);
  if (n <= 0 || (n >= 32 && n <= 100)) return;
  if (n > 100) {
    const int slot = DaySlotIndex(n);
    if (slot >= 0) add(SlotKind::Day, slot, EventText(line, kDateTextColumn));
    return;
  }
  const std::string_view text = EventText(line, kMonthDayTextColumn);
  for (int m = 0; m < 12; ++m) {
    if (kDaysInMonth[m] >= n) add(SlotKind::Day, kDaysBefore[m] + static_cast<int>(n) - 1, text);
  }
}

void ParseWeekly(std::string_view line, const EventSink& add) {
  if (line.size() < 3) return;
  const int weekday = WeekdayOfName(line.substr(0, 3));
  if (weekday >= 0) add(SlotKind::Weekday, weekday, EventText(line, kWeeklyTextColumn));
}

void ParseOrdinal(std::string_view line, int year, const EventSink& add) {
  const int date = ResolveOrdinal(line, year);
  if (date >= 0) {
    AddOnDate(date, EventText(line, kOrdinalTextColumn), add);
    return;
  }
  // "#wwwN": the same ordinal weekday in every month.
  if (line.size() < 5) return;
  const std::string_view text = EventText(line, kEveryMonthOrdinalTextColumn);
  for (int m = 1; m <= 12; ++m) {
    char key[8];
    std::snprintf(key, sizeof key, "#%02d", m);
    const std::string full = std::string(key) + std::string(line.substr(1, 4));
    const int monthDate = ResolveOrdinal(full, year);
    if (monthDate >= 0) AddOnDate(monthDate, text, add);
  }
}

}  // namespace

int Weekday(int year, int month, int day) {
  if (year < 1582 || (year == 1582 && (month < 10 || (month == 10 && day < 15)))) return -1;
  long y = year;
  long m = month;
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  const long w = (y + y / 4 - y / 100 + y / 400 + (13 * m + 8) / 5 + day) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

int DaySlotIndex(long mmdd) {
  const long month = mmdd / 100;
  const long day = mmdd - month * 100;
  if (month < 1 || month > 12) return -1;
  if (day < 1 || day > kDaysInMonth[month - 1]) return -1;
  return kDaysBefore[month - 1] + static_cast<int>(day) - 1;
}

int ResolveOrdinal(std::string_view key, int year) {
  if (key.size() < 7) return -1;
  int month = -1;
  for (int m = 1; m <= 12; ++m) {
    const char code[2] = {static_cast<char>('0' + m / 10), static_cast<char>('0' + m % 10)};
    if (key[1] == code[0] && key[2] == code[1]) {
      month = m;
      break;
    }
  }
  if (month < 0) return -1;
  const int weekday = WeekdayOfName(key.substr(3, 3));
  if (weekday < 0) return -1;
  if (key[6] < '1' || key[6] > '5') return -1;
  const int ordinal = key[6] - '0';
  const int first = Weekday(year, month, 1);
  if (first < 0) return -1;
  const int day = (weekday - first + 7) % 7 + 7 * (ordinal - 1) + 1;
  if (day > kDaysInMonth[month - 1]) return -1;
  return month * 100 + day;
}

void ParseAnniversaryLine(std::string_view line, int year, const EventSink& add) {
  if (line.empty()) return;
  switch (line[0]) {
    case '#':
      ParseOrdinal(line, year, add);
      break;
    case '0': case '1': case '2': case '3':
      ParseDateOrMonthDay(line, add);
      break;
    case 'F': case 'M': case 'S': case 'T': case 'W':
    case 'f': case 'm': case 's': case 't': case 'w':
      ParseWeekly(line, add);
      break;
    default:
      break;  // comments, blanks, anything else
  }
}

void ParseAnniversaryText(std::string_view bytes, int year, const EventSink& add) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    // CR LF or, from today's editors, LF alone ends a line.
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) {
      end = bytes.size();
    } else if (end > start && bytes[end - 1] == '\r') {
      --end;
    }
    std::string_view line = bytes.substr(start, end - start);
    line = CutLine(line);
    // A NUL has no place in a text file; such a line is damaged, not the rest.
    if (line.find('\0') == std::string_view::npos) ParseAnniversaryLine(line, year, add);
    start = next;
  }
}

}  // namespace calendar

// horalune-days: what the calendar lists for every day of a year that has
// events (the national holiday first, then the anniversary files' events in
// the order given), as UTF-8: one line a day, "YYYY-MM-DD", then each event
// after a tab. For checking anniversary files, and for tests.
//
// Exit codes: 0 listed; 1 a file cannot be read; 2 bad arguments.
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/anniversary_store.h"
#include "platform/files.h"
#include "platform/program_arguments.h"
#include "platform/program_output.h"
#include "platform/text.h"
#include "platform/text_encoding.h"

namespace {

const char kUsage[] =
    "usage: horalune-days YEAR [ANNIV.DAT ...]\n"
    "  Lists the national holidays of Japan (1948-2150) and the events of the\n"
    "  anniversary files for every day of YEAR (1583-9999) that has any.";

bool ParseYear(const std::string& text, int& year) {
  if (text.empty() || text.size() > 4) return false;
  year = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    year = year * 10 + (c - '0');
  }
  // Weekdays (and so the weekly events) are known from the Gregorian reform on.
  return year >= 1583;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = platform::ProgramArguments(argc, argv);
  int year = 0;
  if (args.empty() || !ParseYear(args[0], year)) {
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
  }
  AnniversaryStore store("", year);  // no program folder: only the files given
  for (std::size_t i = 1; i < args.size(); ++i) {
    std::string bytes;
    if (!platform::ReadWholeFile(args[i].c_str(), bytes)) {
      platform::WriteProgramText(stderr, "horalune-days: cannot read " + args[i] + "\n");
      return 1;
    }
    store.AddText(platform::DecodeText(bytes).text);
  }
  std::string out;
  for (int month = 1; month <= 12; ++month) {
    const int length = month == 2 && !IsLeap(year) ? 28 : calendar::kDaysInMonth[month - 1];
    for (int day = 1; day <= length; ++day) {
      const std::vector<std::string> events = store.CalendarEvents(year, month, day);
      if (events.empty()) continue;
      char date[32];
      std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
      out += date;
      for (const std::string& event : events) out += "\t" + platform::Utf8FromCp932(event);
      out += "\n";
    }
  }
  return platform::WriteProgramText(stdout, out) ? 0 : 1;
}

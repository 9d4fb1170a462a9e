// horalune-days run as a program: a year's holidays against the committed
// reference table, anniversary files after them, and its exit codes.
#ifdef HORALUNE_DAYS_TOOL

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "temp_folder.h"

namespace {

using testing_support::TempFolder;

struct DaysRun {
  int code = -1;
  std::string out;  // UTF-8
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

DaysRun RunDays(const std::string& folder, const std::string& arguments) {
  const std::string outFile = folder + "stdout.txt";
  const std::string command = std::string("'") + HORALUNE_DAYS_TOOL + "' " + arguments + " >'" +
                              outFile + "' 2>/dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(outFile)};
}

// The reference table's lines of one year, in the tool's format.
std::string TableYear(int year) {
  std::istringstream table(
      ReadAll(std::string(HORALUNE_SOURCE_DIR) + "/tests/unit/data/japanese-holidays-1955-2050.tsv"));
  std::string lines;
  for (std::string line; std::getline(table, line);) {
    if (line.compare(0, 4, std::to_string(year)) == 0) lines += line + "\n";
  }
  return lines;
}

}  // namespace

TEST(DaysTool, HolidayYearsMatchTheReferenceTable) {
  TempFolder folder;
  for (int year : {1959, 1973, 1989, 2019, 2021, 2050}) {
    const DaysRun run = RunDays(folder.Path(), std::to_string(year));
    EXPECT_EQ(run.code, 0);
    ASSERT_FALSE(TableYear(year).empty());
    EXPECT_EQ(run.out, TableYear(year)) << year;
  }
}

// A user's file and the shared one: the holiday first, then the files' events
// in order, a line naming the day's holiday only once, ordinals for the year.
TEST(DaysTool, AnniversaryFilesFollowTheHoliday) {
  TempFolder folder;
  const std::string mine = folder.File("mine.txt");
  const std::string shared = folder.File("Anniv.DAT");
  std::ofstream(mine, std::ios::binary) << "0101 \x8C\xB3\x93\xFA\r\n0101 mine\r\n#05Sun2 mother\r\n";  // 元日
  std::ofstream(shared, std::ios::binary) << "\xEF\xBB\xBF" "0101 shared\n0102 rest\n";
  const DaysRun run = RunDays(folder.Path(), "2027 '" + mine + "' '" + shared + "'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n', run.out.find("01-02"))),
            u8"2027-01-01\t元日\tmine\tshared\n2027-01-02\trest");
  EXPECT_NE(run.out.find("2027-05-09\tmother\n"), std::string::npos);

  EXPECT_EQ(RunDays(folder.Path(), "2027 '" + folder.File("gone.txt") + "'").code, 1);
  for (const char* bad : {"", "1582", "20x7"}) {
    EXPECT_EQ(RunDays(folder.Path(), bad).code, 2) << bad;
  }
  // Years without holidays list only the files' events.
  EXPECT_EQ(RunDays(folder.Path(), "1900 '" + shared + "'").out, "1900-01-01\tshared\n1900-01-02\trest\n");
}

#endif  // HORALUNE_DAYS_TOOL

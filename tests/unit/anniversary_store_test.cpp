#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/anniversary_store.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "test_host.h"

namespace fs = std::filesystem;

namespace {

const std::string kNoPlans = "予定はありません";

// A scratch program folder holding the given files, removed afterwards.
class Folder {
 public:
  Folder() {
    path = fs::temp_directory_path() /
           ("horalune-anniv-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path / name, std::ios::binary);
    out << bytes;
  }
  // The folder as the store takes it: ending in a separator.
  std::string Base() const { return (path / "").string(); }

 private:
  fs::path path;
};

// Read the shipped sample beside the sources (Wine sees the Linux tree on Z:).
std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(testing_support::SourceTree() + testing_support::kPathSeparator + relative,
                  std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(EventSlots, GrowByBulletLinesInOrder) {
  EventSlot slot;
  EXPECT_EQ(slot.Read(), kNoPlans);
  slot.Add("a");
  slot.Add("");
  slot.Add("ほ");
  EXPECT_EQ(slot.eventCount, 3);
  EXPECT_TRUE(slot.holdsText);
  EXPECT_EQ(slot.Read(), "・a\r\n・\r\n・ほ\r\n");
  slot.Clear();
  EXPECT_EQ(slot.eventCount, 0);
  EXPECT_FALSE(slot.holdsText);
  EXPECT_EQ(slot.Read(), kNoPlans);
}

TEST(AnniversaryStoreText, DateLinesComeBeforeWeekdayLines) {
  Folder folder;
  AnniversaryStore store(folder.Base(), 2001);
  store.AddText("Tue weekly\r\n1016 first\r\n16 monthly\r\n1017 other\r\n");
  // 16 October 2001 is a Tuesday.
  EXPECT_EQ(store.DayText(2001, 10, 16), "・first\r\n・monthly\r\n・weekly\r\n");
  EXPECT_EQ(store.DayText(2001, 10, 17), "・other\r\n");
  EXPECT_EQ(store.DayText(2001, 10, 23), "・weekly\r\n");
  EXPECT_EQ(store.DayText(2001, 10, 18), kNoPlans);
}

TEST(AnniversaryStoreText, ImpossibleDatesHaveNoEvents) {
  Folder folder;
  AnniversaryStore store(folder.Base(), 2001);
  store.AddText("Sun sunday\r\n");
  EXPECT_EQ(store.DayText(2001, 13, 1), kNoPlans);
  EXPECT_EQ(store.DayText(2001, 0, 0), kNoPlans);
  EXPECT_EQ(store.DayText(1582, 10, 10), kNoPlans);  // no weekday before the calendar
}

TEST(AnniversaryStoreText, ABusyDayIsNeverCut) {
  Folder folder;
  AnniversaryStore store(folder.Base(), 2001);
  std::string file;
  for (int i = 0; i < 40; ++i) file += "0101 " + std::string(400, static_cast<char>('a' + i % 26)) + "\r\n";
  file += "Mon " + std::string(500, 'W') + "\r\n";
  store.AddText(file);
  const std::string text = store.DayText(2001, 1, 1);  // a Monday
  EXPECT_EQ(text.size(), 40 * (2 + 400 + 2) + (2 + 500 + 2));
  EXPECT_EQ(text.substr(text.size() - 6), "WWWW\r\n");
}

TEST(AnniversaryStoreFiles, UserFileFirstThenTheSharedFile) {
  Folder folder;
  folder.Write("Horalune.DAT", "[Default]\r\nUserAnniversaryFile=mine.txt\r\n");
  folder.Write("mine.txt", "0101 mine\r\n");
  folder.Write("Anniv.DAT", "0101 shared\r\nSat weekend\r\n");
  AnniversaryStore store(folder.Base(), 2001);
  EXPECT_EQ(store.DayText(2001, 1, 1), "・mine\r\n・shared\r\n");
  EXPECT_EQ(store.DayText(2001, 1, 6), "・weekend\r\n");
}

TEST(AnniversaryStoreFiles, NoUserFileNamed) {
  for (const char* config : {"", "[Default]\r\nUserAnniversaryFile=non\r\n",
                             "[Default]\r\nUserAnniversaryFile=<<<\r\n"}) {
    Folder folder;
    if (*config) folder.Write("Horalune.DAT", config);
    folder.Write("non", "0101 wrong\r\n");
    folder.Write("<<<", "0101 wrong\r\n");
    folder.Write("Anniv.DAT", "0101 shared\r\n");
    AnniversaryStore store(folder.Base(), 2001);
    EXPECT_EQ(store.DayText(2001, 1, 1), "・shared\r\n") << config;
  }
}

TEST(AnniversaryStoreFiles, MissingFilesAddNothing) {
  Folder folder;
  folder.Write("Horalune.DAT", "[Default]\r\nUserAnniversaryFile=gone.txt\r\n");
  AnniversaryStore store(folder.Base(), 2001);
  EXPECT_EQ(store.DayText(2001, 1, 1), kNoPlans);
  AnniversaryStore nowhere("", 2001);  // no program folder at all
  EXPECT_EQ(nowhere.DayText(2001, 1, 1), kNoPlans);
}

TEST(AnniversaryStoreFiles, ANewYearResolvesOrdinalsAgain) {
  Folder folder;
  folder.Write("Anniv.DAT", "#05Sun2 mother\r\n0101 new year\r\n");
  AnniversaryStore store(folder.Base(), 2001);
  EXPECT_EQ(store.DayText(2001, 5, 13), "・mother\r\n");

  store.RefreshYear(2001);  // same year: nothing changes
  EXPECT_EQ(store.Year(), 2001);
  EXPECT_EQ(store.DayText(2001, 5, 13), "・mother\r\n");

  store.RefreshYear(2002);
  EXPECT_EQ(store.Year(), 2002);
  EXPECT_EQ(store.DayText(2002, 5, 12), "・mother\r\n");
  EXPECT_EQ(store.DayText(2002, 5, 13), kNoPlans);
  EXPECT_EQ(store.DayText(2002, 1, 1), "・new year\r\n");  // reloaded, not doubled
}

// The sample file keeps its seasonal days; the national holidays come from
// the program, each listed once and first.
TEST(ShippedAnniversaries, HolidaysComeFromTheProgramOnce) {
  const std::string sample = ReadSourceFile("data/Anniv.DAT");
  ASSERT_FALSE(sample.empty());
  EXPECT_NE(sample.find("\r\n"), std::string::npos);
  Folder folder;
  folder.Write("Anniv.DAT", sample);
  AnniversaryStore store(folder.Base(), 2027);
  EXPECT_EQ(store.DayText(2027, 1, 1), kNoPlans);  // no holiday lines left in the file
  EXPECT_EQ(store.CalendarText(2027, 1, 1), "・元日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 1, 11), "・成人の日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 3, 21), "・春分の日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 3, 22), "・振替休日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 5, 9), "・母の日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 7, 7), "・七夕\r\n");
  EXPECT_EQ(store.CalendarText(2027, 12, 31), "・大晦日\r\n");
  EXPECT_EQ(store.CalendarText(2027, 1, 12), kNoPlans);
}

// The holiday first, then the files' events (a line naming the day's holiday
// dropped), then the weekday's; Holidays=0 in Horalune.DAT hides them.
TEST(AnniversaryStoreText, CalendarListsTheHolidayFirstAndOnce) {
  Folder folder;
  folder.Write("Anniv.DAT", "0503 憲法記念日\r\n0503 旅行\r\n0503 憲法記念日の集い\r\nMon 会議\r\n");
  AnniversaryStore store(folder.Base(), 2027);
  EXPECT_EQ(store.CalendarText(2027, 5, 3), "・憲法記念日\r\n・旅行\r\n・憲法記念日の集い\r\n・会議\r\n");
  EXPECT_EQ(store.CalendarEvents(2027, 5, 4), std::vector<std::string>{"みどりの日"});
  EXPECT_EQ(store.CalendarText(2027, 5, 10), "・会議\r\n");
  EXPECT_EQ(store.CalendarText(2027, 5, 11), kNoPlans);

  for (const char* setting : {"0", "1", "", "no"}) {
    folder.Write("Horalune.DAT", std::string("[Default]\r\nHolidays=") + setting + "\r\n");
    AnniversaryStore configured(folder.Base(), 2027);
    const bool shown = std::string(setting) != "0";
    EXPECT_EQ(configured.HolidaysShown(), shown) << setting;
    EXPECT_EQ(configured.CalendarText(2027, 5, 4), shown ? "・みどりの日\r\n" : kNoPlans) << setting;
    // The file's own line stays even when holidays are hidden.
    EXPECT_EQ(configured.CalendarText(2027, 5, 3).substr(0, 14), "・憲法記念日\r\n") << setting;
  }
}

// The shipped file as today's editors save it lists exactly like the original.
TEST(AnniversaryStoreFiles, UnicodeAndLfFilesListLikeTheirCp932Twins) {
  const std::string sample = ReadSourceFile("data/Anniv.DAT");
  ASSERT_FALSE(sample.empty());
  std::string utf8Lf = platform::Utf8FromCp932(sample);
  for (std::size_t at; (at = utf8Lf.find("\r\n")) != std::string::npos;) utf8Lf.erase(at, 1);
  Folder original;
  original.Write("Anniv.DAT", sample);
  const AnniversaryStore expected(original.Base(), 2027);
  for (const std::string& twin :
       {utf8Lf, "\xEF\xBB\xBF" + utf8Lf,
        "\xFF\xFE" + platform::Utf16LeFromUtf8(platform::Utf8FromCp932(sample))}) {
    Folder folder;
    folder.Write("Anniv.DAT", twin);
    const AnniversaryStore store(folder.Base(), 2027);
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        ASSERT_EQ(store.DayText(2027, month, day), expected.DayText(2027, month, day))
            << month << "/" << day << " from " << twin.substr(0, 3);
      }
    }
  }
}

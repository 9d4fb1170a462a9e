#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/anniversary_parser.h"

using calendar::DaySlotIndex;
using calendar::ParseAnniversaryText;
using calendar::ResolveOrdinal;
using calendar::SlotKind;
using calendar::Weekday;

namespace {

struct Event {
  SlotKind kind;
  int index;
  std::string text;
  bool operator==(const Event& other) const {
    return kind == other.kind && index == other.index && text == other.text;
  }
};

std::vector<Event> Parse(const std::string& bytes, int year = 2001) {
  std::vector<Event> events;
  ParseAnniversaryText(bytes, year, [&](SlotKind kind, int index, std::string_view text) {
    events.push_back({kind, index, std::string(text)});
  });
  return events;
}

Event OnDay(int mmdd, const std::string& text) { return {SlotKind::Day, DaySlotIndex(mmdd), text}; }
Event OnWeekday(int weekday, const std::string& text) { return {SlotKind::Weekday, weekday, text}; }

std::vector<int> DaySlotsOf(const std::vector<Event>& events) {
  std::vector<int> slots;
  for (const Event& e : events) slots.push_back(e.index);
  return slots;
}

}  // namespace

TEST(AnniversaryDates, WeekdayFollowsTheGregorianCalendar) {
  EXPECT_EQ(Weekday(2001, 10, 16), 2);
  EXPECT_EQ(Weekday(1582, 10, 15), 5);
  EXPECT_EQ(Weekday(1582, 10, 14), -1);
  EXPECT_EQ(Weekday(1582, 9, 30), -1);
  EXPECT_EQ(Weekday(1500, 12, 1), -1);
  EXPECT_EQ(Weekday(2000, 2, 29), 2);  // January and February count with the year before
  EXPECT_EQ(Weekday(2027, 1, 1), 5);
  EXPECT_EQ(Weekday(2026, 12, 31), 4);
}

TEST(AnniversaryDates, DaySlotsCoverALeapYear) {
  EXPECT_EQ(DaySlotIndex(101), 0);
  EXPECT_EQ(DaySlotIndex(229), 59);
  EXPECT_EQ(DaySlotIndex(301), 60);
  EXPECT_EQ(DaySlotIndex(1231), 365);
  for (long bad : {1301L, 230L, 431L, 200L, 100L, 0L, 1232L, -101L, 99999999L}) {
    EXPECT_EQ(DaySlotIndex(bad), -1) << bad;
  }
}

TEST(AnniversaryDates, OrdinalWeekdaysResolveForTheYear) {
  EXPECT_EQ(ResolveOrdinal("#05Sun2", 2001), 513);  // 1 May 2001 is a Tuesday
  EXPECT_EQ(ResolveOrdinal("#05sUN2", 2001), 513);  // the name ignores case
  EXPECT_EQ(ResolveOrdinal("#05Sun2", 2002), 512);
  EXPECT_EQ(ResolveOrdinal("#01Mon2", 2027), 111);
  EXPECT_EQ(ResolveOrdinal("#02Sun5", 2015), 229);  // 1 February 2015 is a Sunday
  EXPECT_EQ(ResolveOrdinal("#02Sun5", 2016), -1);
  EXPECT_EQ(ResolveOrdinal("#13Sun9", 2001), -1);
  EXPECT_EQ(ResolveOrdinal("#05Sun6", 2001), -1);
  EXPECT_EQ(ResolveOrdinal("#05Sun0", 2001), -1);
  EXPECT_EQ(ResolveOrdinal("#5Sun2", 2001), -1);
  EXPECT_EQ(ResolveOrdinal("#05Sux2", 2001), -1);
  EXPECT_EQ(ResolveOrdinal("#05", 2001), -1);
}

TEST(AnniversaryLines, DatesAndDaysOfEveryMonth) {
  EXPECT_EQ(Parse("0101 元日"), std::vector<Event>{OnDay(101, "元日")});
  EXPECT_EQ(Parse("0229 leap"), std::vector<Event>{OnDay(229, "leap")});
  EXPECT_EQ(Parse("0101"), std::vector<Event>{OnDay(101, "")});  // short line, empty text
  // The byte before the text is skipped whatever it is.
  EXPECT_EQ(Parse("1225-Xmas"), std::vector<Event>{OnDay(1225, "Xmas")});

  EXPECT_EQ(Parse("01 first").size(), 12u);
  EXPECT_EQ(Parse("29 x").size(), 12u);  // February has a 29th in the table
  EXPECT_EQ(Parse("30 x").size(), 11u);
  const std::vector<Event> last = Parse("31 end");
  EXPECT_EQ(DaySlotsOf(last),
            (std::vector<int>{DaySlotIndex(131), DaySlotIndex(331), DaySlotIndex(531),
                              DaySlotIndex(731), DaySlotIndex(831), DaySlotIndex(1031),
                              DaySlotIndex(1231)}));
  EXPECT_EQ(last[0].text, "end");
}

TEST(AnniversaryLines, ImpossibleDatesAreSkippedAndReadingGoesOn) {
  const std::string text =
      "1301 a\r\n0230 b\r\n0431 c\r\n0200 d\r\n0100 e\r\n32 f\r\n0 g\r\n00 h\r\n"
      "100 i\r\n0702 kept\r\n";
  EXPECT_EQ(Parse(text), std::vector<Event>{OnDay(702, "kept")});
}

TEST(AnniversaryLines, WeeklyLines) {
  EXPECT_EQ(Parse("Sat games"), std::vector<Event>{OnWeekday(6, "games")});
  EXPECT_EQ(Parse("sUN rest"), std::vector<Event>{OnWeekday(0, "rest")});
  EXPECT_EQ(Parse("Saturday"), std::vector<Event>{OnWeekday(6, "rday")});
  EXPECT_EQ(Parse("Sunny day"), std::vector<Event>{OnWeekday(0, "y day")});
  EXPECT_TRUE(Parse("Fry fish").empty());
  EXPECT_TRUE(Parse("Sa").empty());
}

TEST(AnniversaryLines, OrdinalWeekdayLines) {
  EXPECT_EQ(Parse("#05Sun2 母の日", 2001), std::vector<Event>{OnDay(513, "母の日")});
  EXPECT_TRUE(Parse("#02Sun5 rare", 2016).empty());
  EXPECT_EQ(Parse("#02Sun5 rare", 2015), std::vector<Event>{OnDay(229, "rare")});
  EXPECT_TRUE(Parse("#13Sun9 bad").empty());
  EXPECT_TRUE(Parse("#").empty());
}

TEST(AnniversaryLines, EveryMonthOrdinalTakesTheTextAfterItsKey) {
  // 2001: the second Friday of each month.
  const std::vector<Event> events = Parse("#Fri2 meeting", 2001);
  ASSERT_EQ(events.size(), 12u);
  EXPECT_EQ(events[0], OnDay(112, "meeting"));
  EXPECT_EQ(events[9], OnDay(1012, "meeting"));
  // A fifth Sunday exists only in some months.
  EXPECT_EQ(Parse("#Sun5 x", 2001).size(), 4u);  // April, July, September, December
  EXPECT_TRUE(Parse("#Sun6 x", 2001).empty());
  EXPECT_EQ(Parse("#Mon1", 2001).size(), 12u);
}

TEST(AnniversaryLines, IgnoredLines) {
  EXPECT_TRUE(Parse("; 0101 comment\r\n 0101 blank\r\n\r\nあ0101\r\nX\r\n").empty());
}

TEST(AnniversaryText, CrLfOrLfEndsALine) {
  EXPECT_EQ(Parse("0101 a\r0102 b\n0103 c\r\n0104 d"),
            (std::vector<Event>{OnDay(101, "a\r0102 b"), OnDay(103, "c"), OnDay(104, "d")}));
  EXPECT_EQ(Parse("\r\n\r\n0104 e\r\n"), std::vector<Event>{OnDay(104, "e")});
  EXPECT_TRUE(Parse("").empty());
}

TEST(AnniversaryText, LongLinesAreCutTo510Bytes) {
  const std::string longText(600, 'x');
  const std::vector<Event> events = Parse("0101 " + longText + "\r\n0102 next");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].text, std::string(505, 'x'));
  EXPECT_EQ(events[1], OnDay(102, "next"));

  // A cut through a two-byte character drops its first half.
  const std::string split = "0101 " + std::string(504, 'x') + "あい";
  const std::vector<Event> cut = Parse(split);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].text, std::string(504, 'x'));

  // A 100 KB line without any line end is read (and cut) like any other.
  const std::vector<Event> huge = Parse("Mon " + std::string(100 * 1024, 'y'));
  ASSERT_EQ(huge.size(), 1u);
  EXPECT_EQ(huge[0].text.size(), 506u);
}

TEST(AnniversaryText, ATextColumnOnASecondByteKeepsItsLastCharacter) {
  // The separator column swallows the first byte of the star, so the text
  // starts on its second byte; the last character is whole and stays.
  EXPECT_EQ(Parse("0101★日"), std::vector<Event>{OnDay(101, "\x9a\x93\xfa")});
  // A cut line is walked from its first byte, not from its text column: here
  // the cut falls between two characters and every one of them stays.
  std::string days;
  for (int i = 0; i < 253; ++i) days += "日";
  const std::vector<Event> cut = Parse("0101★" + days);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].text, "\x9a" + days.substr(0, 504));
}

TEST(AnniversaryText, DamagedLinesAreDroppedOneByOne) {
  using namespace std::string_literals;
  EXPECT_EQ(Parse("0101 a\0b\r\n0102 c\r\n\0\0\r\n0103 d"s),
            (std::vector<Event>{OnDay(102, "c"), OnDay(103, "d")}));
  // Digits running on far past any date.
  EXPECT_EQ(Parse("3" + std::string(5000, '9') + "\r\n0105 ok"),
            std::vector<Event>{OnDay(105, "ok")});
  // Bytes above 0x7F where digits or names are expected.
  const std::vector<Event> odd = Parse("01\x82\xa0x\r\n");
  ASSERT_EQ(odd.size(), 12u);
  EXPECT_EQ(odd[0], OnDay(101, "\xa0x"));
  EXPECT_TRUE(Parse("0\xff\r\n#\x81\x81\x81\x81\x81\x81\x81\r\n\xfe\xfe\xfe\r\nS\xff\xff x").empty());
}

#include "calendar/calendar_text.h"

#include <cstdio>

namespace calendar {

namespace {

const char* const kEnglishMonths[12] = {
    "１ January", "２ February", "３ March",     "４ April",
    "５ May",     "６ June",     "７ July",      "８ August",
    "９ September", "１０ Octorber", "１１ November", "１２ December",
};

const char* const kJapaneseMonths[12] = {
    "睦月（むつき） 正月 初陽",
    "如月、衣更着（きさらぎ） 令月 初花月 梅見月",
    "弥生（やよい） 花月 梅月 桜月",
    "卯月（うづき） 余月 陰月",
    "皐月（さつき） 早月（さつき） 早苗月 多草月",
    "水無月（みなづき） 焦月 炎陽",
    "文月（ふみづき） 七夜月 親月 涼月",
    "葉月（はづき） 月見月 観月 桂月",
    "長月（ながつき） 菊月 紅葉月",
    "神無月（かんなづき） 陽月 良月",
    "霜月（しもつき） 神帰月 雪待月 向寒",
    "師走（しわす） 極月 除月 春待月",
};

const char* const kWeekdayCharacters[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const kEnglishWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

std::string Decimal(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return text;
}

CalendarLabel Label(std::string text, Box box, unsigned format, int height, int weight,
                    LabelColour colour) {
  CalendarLabel label;
  label.text = std::move(text);
  label.box = box;
  label.format = format;
  label.height = height;
  label.weight = weight;
  label.colour = colour;
  return label;
}

}  // namespace

std::string EnglishMonthName(int month) {
  return month >= 1 && month <= 12 ? kEnglishMonths[month - 1] : "";
}

std::string JapaneseMonthNames(int month) {
  return month >= 1 && month <= 12 ? kJapaneseMonths[month - 1] : "";
}

std::string JapaneseWeekday(int weekday) {
  if (weekday < 0 || weekday > 6) return "";
  return std::string(kWeekdayCharacters[weekday]) + "曜日";
}

std::string EnglishWeekday(int weekday) {
  return weekday >= 0 && weekday <= 6 ? kEnglishWeekdays[weekday] : "";
}

std::string DateCaption(int year, int month, int day, int weekday) {
  return Decimal(year) + "年" + Decimal(month) + "月" + Decimal(day) + "日 " + JapaneseWeekday(weekday);
}

std::array<CalendarLabel, 7> CalendarLabels(const Box& client, int year, int month, int day,
                                            int weekday) {
  const int L = client.left;
  const int T = client.top;
  const int R = client.right;
  const int B = client.bottom;
  const unsigned centred = kFormatSingleLine | kFormatCenter;
  const LabelColour text = LabelColour::ButtonText;
  const LabelColour highlight = LabelColour::ButtonHighlight;

  CalendarLabel yearLabel = Label(Decimal(year), {L, T, R, T + 95},
                                  kFormatSingleLine | kFormatBottom, 30, 0, highlight);
  yearLabel.escapement = 900;  // read sideways, bottom to top
  CalendarLabel heading = Label("Calendar", {L + 10, B - 20, R - 10, B - 2}, kFormatBottom, 16,
                                700, highlight);
  heading.underline = true;
  heading.italic = true;

  return {
      yearLabel,
      Label(EnglishMonthName(month), {L + 20, T + 9, L + 237, T + 25}, centred, 16, 600, text),
      Label(JapaneseMonthNames(month), {L + 20, T + 27, L + 237, T + 39}, centred, 11, 0, text),
      Label(Decimal(day), {L + 77, T + 41, L + 113, T + 69}, kFormatSingleLine | kFormatRight,
            26, 0, text),
      Label(JapaneseWeekday(weekday), {L + 120, T + 44, L + 186, T + 56}, centred, 11, 0, text),
      Label(EnglishWeekday(weekday), {L + 120, T + 55, L + 186, T + 67}, centred, 11, 0, text),
      heading,
  };
}

}  // namespace calendar

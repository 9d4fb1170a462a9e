// What the calendar dialog paints: seven texts for one date, each with its
// rectangle, font and colour. Plain data, so the layout is tested without a
// window; the dialog only hands each label to the painter.
#pragma once
#include <array>
#include <string>

namespace calendar {

// The same values as the platform's DrawText flags.
enum TextFormat : unsigned {
  kFormatCenter = 0x01,
  kFormatRight = 0x02,
  kFormatBottom = 0x08,
  kFormatSingleLine = 0x20,
};

// Which system colour a label is drawn in.
enum class LabelColour { ButtonText, ButtonHighlight };

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct CalendarLabel {
  std::string text;  // code page 932
  Box box;           // client coordinates
  unsigned format = 0;
  int height = 0;
  int weight = 0;
  bool underline = false;
  bool italic = false;
  LabelColour colour = LabelColour::ButtonText;
  int escapement = 0;  // tenths of a degree, counter-clockwise
};

// month 1..12, weekday 0 Sunday .. 6 Saturday; anything else gives "".
std::string EnglishMonthName(int month);
std::string JapaneseMonthNames(int month);
std::string JapaneseWeekday(int weekday);  // "火曜日"
std::string EnglishWeekday(int weekday);   // "Tuesday"

// The date as the dialog's window text, for screen readers: "2024年2月29日 木曜日".
std::string DateCaption(int year, int month, int day, int weekday);

// The seven labels in painting order for a client area and a date.
std::array<CalendarLabel, 7> CalendarLabels(const Box& client, int year, int month, int day,
                                            int weekday);

}  // namespace calendar

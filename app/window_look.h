// How the clock window lets the desktop and the mouse through: its opacity and
// click-through. Both are the user's, kept in Horalune.DAT's [Default] section
// (keys Opacity and ClickThrough), never in a skin file.
#pragma once
#include <string>

struct WindowLook {
  int opacityPercent = 100;  // one of kOpacityChoices
  bool clickThrough = false;
};

// The opacities the menu offers, most opaque first.
constexpr int kOpacityChoices[] = {100, 90, 80, 70, 60, 50};
constexpr int kOpacityChoiceCount = 6;

// An Opacity value as read from the settings file. A number becomes the
// nearest choice (below 50 is 50, above 100 is 100, halves round up); a value
// that does not start with a number, or is missing, is 100: a clock the user
// cannot see well is worse than one that ignores a typing slip.
int OpacityFromText(const std::string& value);

// A ClickThrough value: on for a number other than 0, as profile integers are.
bool ClickThroughFromText(const std::string& value);

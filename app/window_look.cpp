#include "app/window_look.h"

#include <cstdlib>

namespace {

bool StartsWithNumber(const std::string& value, long& number) {
  const char* begin = value.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  char* end = nullptr;
  number = std::strtol(begin, &end, 10);
  return end != begin;
}

}  // namespace

int OpacityFromText(const std::string& value) {
  long number = 0;
  if (!StartsWithNumber(value, number)) return 100;
  if (number <= 50) return 50;
  if (number >= 100) return 100;
  return static_cast<int>((number + 5) / 10 * 10);
}

bool ClickThroughFromText(const std::string& value) {
  long number = 0;
  return StartsWithNumber(value, number) && number != 0;
}

#include "app/command_line.h"

std::string WithoutSurroundingQuotes(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return text;
  const std::size_t last = text.find_last_not_of(" \t");
  if (last - first < 1 || text[first] != '"' || text[last] != '"') return text;
  const std::string inner = text.substr(first + 1, last - first - 1);
  if (inner.find('"') != std::string::npos) return text;
  return inner;
}

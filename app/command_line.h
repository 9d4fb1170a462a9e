// How a path given on the command line or dropped from Explorer is read.
#pragma once
#include <string>

// `text` without one pair of quotation marks around it (Explorer and shells
// quote a path with a space); blanks outside the marks go too. Anything else,
// including a text with a quotation mark inside, is returned unchanged.
// Safe on UTF-8 paths and on code page 932 alike: neither uses 0x22 inside a
// character.
std::string WithoutSurroundingQuotes(const std::string& text);

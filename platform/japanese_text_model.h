// How plausible a text is as Japanese, read as CP932 or as UTF-8: what tells
// the two apart when a file's bytes are valid in both. Each character scores
// the log-likelihood of its class (hiragana, katakana, common and rare kanji,
// symbols, half-width katakana, Latin letters, the rest) divided by the size of
// the class; Latin letters and symbols count as plausible only next to the
// ASCII they are written among.
#pragma once
#include <string_view>

namespace platform {

// Every byte ASCII, half-width katakana or a pair that code page 932 defines
// (user-defined rows included).
bool IsDefinedCp932(std::string_view bytes);

// Scores of the two readings (higher is more plausible). Both take text that is
// valid in that encoding.
double Cp932Plausibility(std::string_view bytes);
double Utf8Plausibility(std::string_view bytes);

}  // namespace platform

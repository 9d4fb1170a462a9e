// The look-alikes code page 932 is given for characters it has no form for
// (the best fit Windows applies to what people type: é → e, 〜 → ～), one table
// for both builds, so that both show and store the same text and refuse the
// same characters where a look-alike is not good enough.
#pragma once
#include <string>

namespace platform {

// The look-alike of `c` that code page 932 holds; `c` itself when none.
char32_t Cp932LookAlike(char32_t c);

// `utf8` (well-formed) with every character that has a look-alike replaced by it.
std::string WithCp932LookAlikes(const std::string& utf8);
std::wstring WithCp932LookAlikes(const std::wstring& wide);

}  // namespace platform

// The texts of the two information dialogs.
#pragma once
#include <cstddef>
#include <string>

struct SkinSettings;

// One formatted print's worth: longer texts are cut at a character boundary.
constexpr std::size_t kDialogTextLimit = 1023;

// Title, author, home page, e-mail and comment as the skin reader composed them.
std::string WorkIntroductionText(const SkinSettings& settings);

// The program's name, version and our copyright and contact lines.
std::string VersionText();

// What horalune-frame SKIN --settings prints: the skin's settings as the clock
// reads them, for skin authors and for tests that treat the tool as a black box.
#pragma once
#include <string>

// UTF-8 lines: "encoding: NAME"; "Key=Value" for every setting of the
// Initialize section (defaults for absent keys); "picture: Section.Key=PATH"
// for each picture the settings name, its path resolved; then "warning: ..."
// lines. Reads only the skin file: the pictures need not be there.
// `skinPath` is UTF-8 and absolute; `skinDirectory` as SetSkinDirectory makes it.
std::string SettingsReport(const std::string& skinPath, const std::string& skinDirectory);

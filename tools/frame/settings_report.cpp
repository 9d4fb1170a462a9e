#include "settings_report.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "skin/skin_text.h"

namespace {

constexpr char kSection[] = "Initialize";
constexpr std::size_t kTextBuffer = 256;     // as the clock reads Initialize texts
constexpr std::size_t kPictureBuffer = 260;  // and picture names

struct Setting {
  const char* key;
  const char* textDefault;  // nullptr: an integer
  int intDefault;
};

// Every key the clock reads from Initialize, in the order it reads them.
constexpr Setting kSettings[] = {
    {"Title", "タイトル無し", 0}, {"AlarmVoice", "non", 0}, {"Author", "作者情報無し", 0},
    {"Homepage", "non", 0},       {"Homepage_2ndl", "non", 0}, {"Email", "non", 0},
    {"Comment", "non", 0},        {"DocumentFile", "non", 0}, {"AntiAliasing", nullptr, 1},
    {"SpecialMenu", nullptr, 0},  {"Effect", nullptr, 0},      {"Topmost", nullptr, 0},
    {"DialPosX", nullptr, 0},     {"DialPosY", nullptr, 0},    {"DialNumPosX", nullptr, 0},
    {"DialNumPosY", nullptr, 0},  {"AxisPosX", nullptr, 0},    {"AxisPosY", nullptr, 0},
    {"PosX", nullptr, 0},         {"PosY", nullptr, 0},        {"CoverPosX", nullptr, 0},
    {"CoverPosY", nullptr, 0},    {"Interval", nullptr, 250},  {"Animation", nullptr, 0},
    {"Permillage", "", 0},        {"OccProb", nullptr, 1},     {"TransparentColor", "def", 0},
};

struct PictureKey {
  std::string section, key;
};

std::vector<PictureKey> PictureKeys(int animation) {
  std::vector<PictureKey> keys = {{"Body", "Graph"}};
  for (const char* hand : {"SecondHand", "MinuteHand", "HourHand"}) {
    keys.push_back({hand, "Graph"});
    keys.push_back({hand, "Mask"});
  }
  keys.push_back({"Dial", "Numchar"});
  keys.push_back({"Dial", "NumMask"});
  keys.push_back({"Cover", "Graph"});
  keys.push_back({"Cover", "Mask"});
  for (int k = 0; k < std::clamp(animation, 0, 100); ++k) {
    char graph[16], mask[16];
    std::snprintf(graph, sizeof graph, "Graph%02d", k);
    std::snprintf(mask, sizeof mask, "Mask%02d", k);
    keys.push_back({"Dial", graph});
    keys.push_back({"Dial", mask});
  }
  return keys;
}

std::string Utf8(const std::string& cp932) { return platform::Utf8FromCp932(cp932); }

// Lines of a Unicode file that hold text code page 932 cannot: the clock reads
// them with replacements, and a save that rewrites one keeps a .bak first.
void WarnAboutLostText(const std::string& path, std::string& warnings) {
  std::string bytes;
  if (!platform::ReadWholeFile(path.c_str(), bytes)) return;
  const platform::TextEncoding encoding = platform::DetectEncoding(bytes);
  if (!platform::IsUnicode(encoding)) return;
  bool exactFile = true;
  const std::string text = platform::Utf8FromUnicodeFile(bytes, encoding, exactFile);
  if (!exactFile) {
    warnings += "warning: bytes that are not " + std::string(platform::EncodingName(encoding)) +
                " read as U+FFFD; the first save keeps the file as it was in a .bak\n";
  }
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    ++number;
    const std::string line = text.substr(start, end - start);
    bool exact = true;
    const std::string cp932 = platform::Cp932FromUtf8Checked(line, exact);
    if (!exact) {
      warnings += "warning: line " + std::to_string(number) +
                  " holds text Shift-JIS cannot hold; the clock reads it as \"" + Utf8(cp932) +
                  "\", and a save that rewrites the line keeps the file as it was in a .bak\n";
    }
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

}  // namespace

std::string SettingsReport(const std::string& skinPath, const std::string& skinDirectory) {
  const platform::IniFile file(skinPath);
  std::string out = "encoding: " + std::string(platform::EncodingName(file.Encoding())) + "\n";
  std::string warnings;
  for (const Setting& s : kSettings) {
    const std::string value =
        s.textDefault ? file.GetString(kSection, s.key, s.textDefault, kTextBuffer)
                      : std::to_string(static_cast<int>(file.GetInt(kSection, s.key, s.intDefault)));
    out += std::string(s.key) + "=" + Utf8(value) + "\n";
  }
  for (const std::string& name : file.KeyNames(kSection)) {
    const bool known = std::any_of(std::begin(kSettings), std::end(kSettings), [&](const Setting& s) {
      return ascii::EqualsIgnoringCase(name, s.key);
    });
    if (!known) warnings += "warning: the clock does not know the key " + Utf8(name) + "\n";
  }
  const int animation = static_cast<int>(file.GetInt(kSection, "Animation", 0));
  for (const PictureKey& picture : PictureKeys(animation)) {
    const std::string value =
        file.GetString(picture.section.c_str(), picture.key.c_str(), "non", kPictureBuffer);
    if (skin::IsNon(value)) continue;
    const std::string resolved = skin::SkinFilePath(skinDirectory, value);
    out += "picture: " + picture.section + "." + picture.key + "=" + resolved + "\n";
    if (resolved.empty() || !platform::FileExists(resolved.c_str())) {
      warnings += "warning: picture missing: " + picture.section + "." + picture.key + "=" +
                  Utf8(value) + "\n";
    }
  }
  WarnAboutLostText(skinPath, warnings);
  return out + warnings;
}

#include "app/config_file.h"

#include <cstdarg>
#include <cstdio>

#include "app/app_texts.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "render/clock_state.h"
#include "platform/ascii.h"

namespace {

constexpr std::size_t kPathBytes = 260;
constexpr std::size_t kValueBytes = 256;

// Every message of this file fits well inside 1024 bytes; longer values are cut
// rather than written past the buffer.
std::string Format(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void Show(const std::string& text, platform::MessageKind kind) {
  platform::ShowMessage(nullptr, text.c_str(), platform::kCaption, kind);
}

}  // namespace

bool CheckConfigFile(const std::string& programDirectory) {
  const std::string path = platform::SettingsFilePath(programDirectory);
  if (!platform::FileExists(path.c_str())) {
    Show(Format(kConfigMissingText, kSettingsLabel, platform::kSettingsFileName),
         platform::MessageKind::Information);
    return true;
  }
  if (!platform::FileReadWritable(path.c_str())) {
    Show(Format(kConfigNoAccessText, kSettingsLabel, platform::kSettingsFileName),
         platform::MessageKind::Error);
    return false;
  }
  return true;
}

std::string DataDirectoryFrom(const std::string& value, const std::string& programDirectory) {
  if (ascii::EqualsIgnoringCase(value, "non")) return programDirectory;
  if (value.size() >= 2 && IsAsciiLetter(value[0]) && value[1] == ':') {
    return platform::PathFromCp932(value);
  }
  const std::string rest = !value.empty() && value[0] == '\\' ? value.substr(1) : value;
  return platform::JoinPath(programDirectory, rest);
}

int ResolveStartupSkin(int mode, const std::string& programDirectory, StartupSkinChoice& choice) {
  const std::string config = platform::SettingsFilePath(programDirectory);
  const std::string dataDir =
      platform::ReadProfileString("Default", "DataDir", "non", config.c_str(), kValueBytes);
  choice.dataDirectory = DataDirectoryFrom(dataDir, programDirectory);
  const bool relative = !ascii::EqualsIgnoringCase(dataDir, "non") &&
                        !(dataDir.size() >= 2 && IsAsciiLetter(dataDir[0]) && dataDir[1] == ':');
  if (relative && mode == 1) return 0;

  const std::string exeDat =
      platform::ReadProfileString("Default", "ExeDat", "non", config.c_str(), kValueBytes);
  if (ascii::EqualsIgnoringCase(exeDat, "non")) return -1;

  // The messages quote the value as written; the file calls take it as a path
  // (too long a one is missing).
  const std::string exeDatPath = platform::PathFromCp932(exeDat);
  if (!platform::FileExists(exeDatPath.c_str())) {
    Show(Format(kExeDatMissingText, kSettingsLabel, platform::kSettingsFileName, "Default", "ExeDat",
                exeDat.c_str()),
         platform::MessageKind::Warning);
    return -1;
  }
  if (!platform::FileReadWritable(exeDatPath.c_str())) {
    Show(Format(kExeDatNoAccessText, kSettingsLabel, exeDat.c_str()),
         platform::MessageKind::Error);
    return 0;
  }
  if (IsSkinFile(exeDatPath.c_str())) {
    choice.chosenPath = exeDatPath;
    return 1;
  }
  const std::string text = Format(kExeDatNotSkinText, kSettingsLabel, platform::kSettingsFileName, "Default",
                                  "ExeDat", exeDat.c_str());
  if (platform::ShowMessage(nullptr, text.c_str(), platform::kCaption, platform::MessageKind::Warning,
                            platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes) {
    return -1;
  }
  choice.exitRequested = true;
  return 0;
}

bool IsSkinFile(const char* path) {
  const std::string graph = platform::ReadProfileString("Body", "Graph", "non", path, kPathBytes);
  return !ascii::EqualsIgnoringCase(graph, "non") && (graph.empty() || graph[0] != ';');
}

bool SetSkinDirectory(ClockState& clock, const std::string& path) {
  const std::size_t slash = platform::LastPathSeparator(path);
  if (slash == std::string::npos) {
    clock.skinDirectory.clear();
    return false;
  }
  clock.skinDirectory = path.substr(0, slash + 1);
  return true;
}

bool SaveDisplayOptions(const std::string& skinPath, const SkinSettings& settings, int left,
                        int top) {
  if (skinPath.empty()) return true;
  // One read and one write of the skin for all the options.
  platform::IniFile file(skinPath);
  file.Set("Initialize", "AntiAliasing", settings.antiAliasing ? "1" : "0");
  if (settings.specialMenu == 1) {
    file.Set("Initialize", "Effect", Format("%d", settings.effect).c_str());
  }
  file.Set("Initialize", "Topmost", settings.topmost ? "1" : "0");
  file.Set("Initialize", "PosY", Format("%d", top).c_str());
  file.Set("Initialize", "PosX", Format("%d", left).c_str());
  return file.Save();
}

WindowLook ReadWindowLook(const std::string& programDirectory) {
  const platform::IniFile file(platform::SettingsFilePath(programDirectory));
  WindowLook look;
  look.opacityPercent = OpacityFromText(file.GetString("Default", "Opacity", ""));
  look.clickThrough = ClickThroughFromText(file.GetString("Default", "ClickThrough", "0"));
  return look;
}

bool SaveWindowLook(const std::string& programDirectory, const WindowLook& look) {
  platform::IniFile file(platform::SettingsFilePath(programDirectory));
  return file.Set("Default", "Opacity", Format("%d", look.opacityPercent).c_str()) &&
         file.Set("Default", "ClickThrough", look.clickThrough ? "1" : "0") && file.Save();
}

bool ReadWakeForAlarms(const std::string& programDirectory) {
  const std::string config = platform::SettingsFilePath(programDirectory);
  return platform::ReadProfileInt("Default", "WakeForAlarms", 0, config.c_str()) == 1;
}

bool SaveWakeForAlarms(const std::string& programDirectory, bool on) {
  const std::string config = platform::SettingsFilePath(programDirectory);
  return platform::WriteProfileString("Default", "WakeForAlarms", on ? "1" : "0", config.c_str());
}

// The configuration file Horalune.DAT and the skin-file rules around it: which
// skin to start with, where the skin dialog opens, what counts as a skin file,
// and the display options written back into a skin file. Messages go through
// platform::ShowMessage with no owner.
#pragma once
#include <string>

#include "app/window_look.h"

class ClockState;
struct SkinSettings;

// False means start-up must stop (the message has been shown).
bool CheckConfigFile(const std::string& programDirectory);

// The directory the skin dialog opens in (UTF-8), from a DataDir value (code
// page 932, as read from the settings file).
std::string DataDirectoryFrom(const std::string& dataDirValue,
                              const std::string& utf8ProgramDirectory);

struct StartupSkinChoice {
  std::string dataDirectory;     // UTF-8
  std::string chosenPath;       // UTF-8; set when the result is 1
  bool exitRequested = false;   // the user answered No: the caller ends the program
};

// -1: ask the user; 1: `choice.chosenPath` holds a recognised skin; 0: stop.
// Mode 1 (a skin on the command line) stops after a relative DataDir.
int ResolveStartupSkin(int mode, const std::string& programDirectory, StartupSkinChoice& choice);

// The Body Graph value is given, is not "non" and does not start with ';'.
bool IsSkinFile(const char* path);

// skinDirectory := the UTF-8 path up to and including its last backslash;
// empty when there is none. Returns whether a backslash was found.
bool SetSkinDirectory(ClockState& clock, const std::string& path);

// Writes AntiAliasing, Effect (SpecialMenu 1 only), Topmost, PosY, PosX into the
// Initialize section of `skinPath`, in that order. Nothing is written for an
// empty path (no skin has been settled yet). False when the skin file could not
// be written (a skin folder that is read-only keeps its file as it was).
bool SaveDisplayOptions(const std::string& skinPath, const SkinSettings& settings, int left,
                        int top);

// Opacity and ClickThrough from the [Default] section of the settings file in
// `programDirectory`; a missing file or key gives the defaults.
WindowLook ReadWindowLook(const std::string& programDirectory);

// Writes both keys into [Default] in one save, leaving every other key as it
// was. False when the file could not be read or written (it is then unchanged).
bool SaveWindowLook(const std::string& programDirectory, const WindowLook& look);

// "Wake the PC for alarms": WakeForAlarms (0/1) in the Default section of
// Horalune.DAT, off unless it reads 1. False when the value could not be saved.
bool ReadWakeForAlarms(const std::string& programDirectory);
bool SaveWakeForAlarms(const std::string& programDirectory, bool on);

// The Initialize section of a skin file as the clock uses it. Defaults are those
// of an empty section.
#pragma once
#include <cstdint>
#include <string>

// 2 to the power 24: no colour key given; the body's top-left pixel is the key.
constexpr std::uint32_t kNoColourKey = 16777216u;

struct SkinSettings {
  // Description of the work, composed for the introduction dialog.
  std::string title = "タイトル無し";
  std::string authorText = "\n\n作者情報無し";
  std::string homepageText;
  std::string emailText;
  std::string commentText;
  std::string alarmVoice = "non";
  std::string documentFile;
  bool hasDocument = false;

  bool antiAliasing = false;
  int specialMenu = 0;
  int effect = 0;
  bool topmost = false;

  int dialPosX = 0, dialPosY = 0;
  int dialNumPosX = 0, dialNumPosY = 0;
  int axisPosX = 0, axisPosY = 0;
  int posX = 0, posY = 0;
  int coverPosX = 0, coverPosY = 0;

  int interval = 250;
  int animation = 0;
  int startChance = 0;  // per thousand, handed to FrameScheduler::SetPermillage
};

// The document rule: a .txt, .doc, .htm or .html name (any case) that holds no
// "http://" and no '|'.
bool DocumentFileAccepted(const std::string& value);

// Reads the Initialize keys in their order; the first failing validation shows
// its message and returns false.
bool ReadSkinSettings(const char* path, SkinSettings& settings);

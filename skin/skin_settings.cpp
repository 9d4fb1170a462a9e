#include "skin/skin_settings.h"

#include <cstddef>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "skin/display_scale.h"
#include "skin/skin_text.h"
#include "platform/ascii.h"

namespace {

constexpr const char* kSection = "Initialize";
constexpr std::size_t kTextBuffer = 256;

std::string ReadText(const char* key, const char* def, const char* path) {
  return platform::ReadProfileString(kSection, key, def, path, kTextBuffer);
}

int ReadInt(const char* key, int def, const char* path) {
  return static_cast<int>(platform::ReadProfileInt(kSection, key, def, path));
}

// A position: clamped where it is read (skin/display_scale.h).
int ReadPosition(const char* key, const char* path) { return ClampSkinCoordinate(ReadInt(key, 0, path)); }

bool Fail(const char* text) {
  platform::ShowMessage(nullptr, text, platform::kCaption, platform::MessageKind::Error);
  return false;
}

// "\n\n" + value, or nothing when the value is "non".
std::string Paragraph(const std::string& value) { return skin::IsNon(value) ? "" : "\n\n" + value; }

// Finds `needle` (ASCII) in a code-page-932 text, looking only at character
// starts: the second byte of a character may equal '|' or a letter.
bool ContainsAscii(const std::string& text, const std::string& needle) {
  for (std::size_t i = 0; i < text.size();) {
    if (text.size() - i >= needle.size() &&
        ascii::EqualsIgnoringCase(text.substr(i, needle.size()), needle)) {
      return true;
    }
    i += (platform::IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  }
  return false;
}

}  // namespace

bool DocumentFileAccepted(const std::string& value) {
  if (skin::IsNon(value)) return false;
  const std::size_t dot = value.rfind('.');  // '.' is never the second byte of a character
  if (dot == std::string::npos) return false;
  const std::string extension = value.substr(dot);
  const bool known = ascii::EqualsIgnoringCase(extension, ".txt") ||
                     ascii::EqualsIgnoringCase(extension, ".doc") ||
                     ascii::EqualsIgnoringCase(extension, ".htm") ||
                     ascii::EqualsIgnoringCase(extension, ".html");
  return known && !ContainsAscii(value, "http://") && !ContainsAscii(value, "|");
}

bool ReadSkinSettings(const char* path, SkinSettings& s) {
  s.title = ReadText("Title", "タイトル無し", path);
  s.alarmVoice = ReadText("AlarmVoice", "non", path);
  s.authorText = "\n\n" + ReadText("Author", "作者情報無し", path);

  const std::string homepage = ReadText("Homepage", "non", path);
  s.homepageText = Paragraph(homepage);
  if (!skin::IsNon(homepage)) {
    const std::string second = ReadText("Homepage_2ndl", "non", path);
    if (!skin::IsNon(second)) s.homepageText += "\n" + second;
  }
  s.emailText = Paragraph(ReadText("Email", "non", path));
  s.commentText = Paragraph(ReadText("Comment", "non", path));

  s.hasDocument = false;
  const std::string document = ReadText("DocumentFile", "non", path);
  s.documentFile.clear();
  if (DocumentFileAccepted(document)) {
    s.documentFile = document;
    s.hasDocument = true;
  }

  s.antiAliasing = ReadInt("AntiAliasing", 1, path) == 1;
  const int specialMenu = ReadInt("SpecialMenu", 0, path);
  s.specialMenu = (specialMenu == 1 || specialMenu == 2) ? specialMenu : 0;
  s.effect = ReadInt("Effect", 0, path);
  if (s.specialMenu == 0) s.effect = 0;
  s.topmost = ReadInt("Topmost", 0, path) == 1;

  s.dialPosX = ReadPosition("DialPosX", path);
  s.dialPosY = ReadPosition("DialPosY", path);
  s.dialNumPosX = ReadPosition("DialNumPosX", path);
  s.dialNumPosY = ReadPosition("DialNumPosY", path);
  s.axisPosX = ReadPosition("AxisPosX", path);
  s.axisPosY = ReadPosition("AxisPosY", path);
  s.posX = ReadPosition("PosX", path);
  s.posY = ReadPosition("PosY", path);
  s.coverPosX = ReadPosition("CoverPosX", path);
  s.coverPosY = ReadPosition("CoverPosY", path);

  // Both ranges are tested as unsigned numbers, so a negative value fails too.
  s.interval = ReadInt("Interval", 250, path);
  if (static_cast<unsigned>(s.interval) > 1000u) return Fail("Intervalは0から1000迄を指定して下さい");
  s.animation = ReadInt("Animation", 0, path);
  if (static_cast<unsigned>(s.animation) > 100u) return Fail("Animationは0から100迄を指定して下さい");

  // Permillage is absent only when two different defaults both come back; a
  // written 10000 or 5987 is then caught by the range test.
  int permillage = ReadInt("Permillage", 10000, path);
  bool present = permillage != 10000;
  if (!present) {
    permillage = ReadInt("Permillage", 5987, path);
    present = permillage != 5987;
  }
  if (present) {
    if (permillage < 0 || permillage > 1000) return Fail("Permillageは0から1000迄を指定して下さい");
    s.startChance = permillage;
  } else {
    const int occProb = ReadInt("OccProb", 1, path);
    if (occProb <= 0) return Fail("OccProbに0以下の値は指定できません");
    s.startChance = static_cast<int>((1.0 / occProb) * 1000.0);
  }
  return true;
}

// Draws the bundled skin: horalune-skingen OUTPUT-FOLDER writes the skin file,
// its bitmaps and masks, the alarm chime and the document into the folder.
#include <cstdio>
#include <fstream>
#include <string>

#include "skin/bmp_writer.h"
#include "tools/skingen/chime.h"
#include "tools/skingen/skin_art.h"

namespace {

using namespace skingen;

std::string folder;

bool WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(folder + name, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

bool WritePicture(const std::string& name, const Canvas& canvas) {
  const auto pixels = canvas.Pixels();
  return WriteBmp24((folder + name).c_str(), canvas.width(), canvas.height(), pixels.data());
}

bool WriteMask(const std::string& name, const Canvas& canvas) {
  const auto pixels = canvas.MaskPixels();
  return WriteBmp24((folder + name).c_str(), canvas.width(), canvas.height(), pixels.data());
}

bool WriteLayer(const std::string& stem, const Canvas& canvas) {
  return WritePicture(stem + ".bmp", canvas) && WriteMask(stem + "_mask.bmp", canvas);
}

// Lines joined with CRLF, the way the skin files are kept.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string Key(const char* name, int value) { return std::string(name) + "=" + std::to_string(value); }

std::string SkinFile(const Hand& hour, const Hand& minute, const Hand& second) {
  std::string dial = Lines({"[Dial]", "Numchar=numerals.bmp", "NumMask=numerals_mask.bmp"});
  for (int k = 0; k < kDialFrames; ++k) {
    char line[64];
    std::snprintf(line, sizeof line, "Graph%02d=moon%02d.bmp\r\nMask%02d=moon%02d_mask.bmp\r\n", k, k, k, k);
    dial += line;
  }
  const auto hand = [](const char* section, const char* stem, const Hand& h) {
    return Lines({std::string("[") + section + "]", std::string("Graph=") + stem + ".bmp",
                  std::string("Mask=") + stem + "_mask.bmp", Key("AxisX", h.axisX), Key("AxisY", h.axisY)});
  };
  return Lines({"[Initialize]", "Title=ほらるね 月夜", "Author=ほらるね開発チーム",
                "Homepage=http://example.org/horalune/", "Email=horalune@example.org",
                "Comment=夜空色の文字盤に三日月がのぼる時計です。ときどき星がまたたきます。",
                "DocumentFile=Standard.txt", "AlarmVoice=chime.wav", "AntiAliasing=1", "SpecialMenu=1",
                "Effect=0", "Topmost=0", Key("DialPosX", kMoonX), Key("DialPosY", kMoonY),
                Key("DialNumPosX", kNumeralsOffset), Key("DialNumPosY", kNumeralsOffset),
                Key("AxisPosX", kAxis), Key("AxisPosY", kAxis), Key("CoverPosX", CapOffset()),
                Key("CoverPosY", CapOffset()), "PosX=80", "PosY=80", "Interval=250",
                Key("Animation", kDialFrames), "Permillage=5",
                Key("TransparentColor", static_cast<int>(kKey)), "", "[Body]", "Graph=body.bmp", ""}) +
         hand("HourHand", "hour", hour) + "\r\n" + hand("MinuteHand", "minute", minute) + "\r\n" +
         hand("SecondHand", "second", second) + "\r\n" + dial + "\r\n" +
         Lines({"[Cover]", "Graph=cap.bmp", "Mask=cap_mask.bmp"});
}

std::string Document() {
  return Lines({"ほらるね 月夜 (標準スキン)", "",
                "夜空色の文字盤に金色の三日月を置いた、ほらるね標準のスキンです。",
                "ときどき月のまわりの星がまたたきます (Permillage=5)。", "",
                "・針: 時針と分針はクリーム色、秒針はさんご色です。",
                "・アラームの音: chime.wav (二つの音のチャイム)",
                "・窓の形: マゼンタ (TransparentColor=16711935) を切り抜いています。", "",
                "このスキンの絵と音は、ほらるねのスキン生成プログラム (tools/skingen) が",
                "描いたものです。自由に改造してお使いください。"});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: horalune-skingen OUTPUT-FOLDER\n");
    return 2;
  }
  folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';

  const Hand hour = HourHand(), minute = MinuteHand(), second = SecondHand();
  bool ok = WritePicture("body.bmp", Body()) && WriteLayer("numerals", Numerals()) &&
            WriteLayer("hour", hour.picture) && WriteLayer("minute", minute.picture) &&
            WriteLayer("second", second.picture) && WriteLayer("cap", Cap());
  for (int k = 0; ok && k < kDialFrames; ++k) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "moon%02d", k);
    ok = WriteLayer(stem, MoonFrame(k));
  }
  ok = ok && WriteFile("Standard.HRL", SkinFile(hour, minute, second)) &&
       WriteFile("Standard.txt", Document()) && WriteFile("chime.wav", ChimeWave());
  if (!ok) {
    std::fprintf(stderr, "horalune-skingen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}

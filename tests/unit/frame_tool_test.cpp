// horalune-frame run as a program on generated skins: exit codes, messages,
// and pictures that match what the clock composes and presents in-process.
#ifdef HORALUNE_FRAME_TOOL

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bitmap_file.h"
#include "platform/text.h"
#include "render/colour_effects.h"
#include "render/clock_state.h"
#include "skin_fixture.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

struct ToolRun {
  int code = -1;
  std::string err;  // standard error, UTF-8
};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the tool with `arguments` (already quoted) from the folder `cwd`.
ToolRun RunTool(const SkinFolder& folder, const std::string& arguments) {
  const std::string errFile = folder.Path("stderr.txt");
  const std::string command = "cd " + Quote(folder.dir) + " && " + Quote(HORALUNE_FRAME_TOOL) + " " + arguments +
                              " >/dev/null 2>" + Quote(errFile);
  const int status = std::system(command.c_str());
  ToolRun run;
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  run.err = text.str();
  return run;
}

// The 24 x 20 body: every pixel its own colour.
std::vector<std::uint32_t> BodyPixels() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) {
      pixels.push_back(static_cast<std::uint32_t>((x * 10) << 16 | (y * 12) << 8 | ((x * 7 + y * 5) & 0xFF)));
    }
  }
  return pixels;
}

// A hand 5 x 9 with a soft mask, so free angles are blended.
void WriteHand(const SkinFolder& folder, const std::string& name, std::uint32_t colour) {
  folder.WriteSolidBmp(name + ".bmp", 5, 9, colour);
  std::vector<std::uint32_t> mask;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 5; ++x) mask.push_back(x == 2 ? 0xFFFFFF : 0x808080);
  }
  folder.WriteBmp(name + "m.bmp", 5, 9, mask);
}

std::string Skin(const std::string& initialize) {
  return "[Initialize]\r\n" + initialize +
         "AxisPosX=12\r\nAxisPosY=10\r\n"
         "[Body]\r\nGraph=body.bmp\r\n"
         "[HourHand]\r\nGraph=hour.bmp\r\nMask=hourm.bmp\r\nAxisX=2\r\nAxisY=8\r\n"
         "[MinuteHand]\r\nGraph=minute.bmp\r\nMask=minutem.bmp\r\nAxisX=2\r\nAxisY=8\r\n"
         "[SecondHand]\r\nGraph=second.bmp\r\nMask=secondm.bmp\r\nAxisX=2\r\nAxisY=8\r\n"
         "[Dial]\r\nGraph00=dial0.bmp\r\nGraph01=dial1.bmp\r\nGraph02=dial2.bmp\r\n";
}

// Standard output of the tool run on `skin` with --settings.
std::string SettingsOf(const SkinFolder& folder, const std::string& skin) {
  const std::string outFile = folder.Path("stdout.txt");
  const std::string command = "cd " + Quote(folder.dir) + " && " + Quote(HORALUNE_FRAME_TOOL) + " " +
                              Quote(skin) + " --settings >" + Quote(outFile) + " 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(outFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A skin author checks a skin saved as UTF-8 before drawing its pictures: the
// tool shows the encoding, every setting as the clock reads it (defaults
// included), where the pictures must go, and what is wrong.
TEST(FrameToolSettings, ShowWhatTheClockReads) {
  SkinFolder folder;
  folder.WriteText("skin.HRL", u8"[Initialize]\nTitle=ほらるね 𠮷野家\nPosX=-20\nColour=1\n"
                               u8"[Body]\nGraph=body.bmp\n[Dial]\nNumchar=数字.bmp\n");
  folder.WriteSolidBmp("body.bmp", 3, 3, 0x101010);
  const std::string out = SettingsOf(folder, "skin.HRL");
  EXPECT_EQ(out.substr(0, out.find('\n')), "encoding: UTF-8");
  for (const std::string& line : std::vector<std::string>{
           u8"Title=ほらるね ?野家", "PosX=-20", "PosY=0", "Interval=250", "AntiAliasing=1",
        u8"Author=作者情報無し", "Permillage=", "OccProb=1",
        "warning: the clock does not know the key Colour",
        u8"warning: picture missing: Dial.Numchar=数字.bmp"}) {
    EXPECT_NE(out.find("\n" + line + "\n"), std::string::npos) << line << " in\n" << out;
  }
  // Paths as the clock opens them: the skin's folder joined with the name.
  for (const std::string& picture : {std::string("Body.Graph="), std::string("Dial.Numchar=")}) {
    const std::size_t at = out.find("\npicture: " + picture);
    ASSERT_NE(at, std::string::npos) << out;
    const std::string path = out.substr(at + 10 + picture.size(),
                                        out.find('\n', at + 1) - at - 10 - picture.size());
    EXPECT_NE(path.find("ShowWhatTheClockReads"), std::string::npos) << path;
    EXPECT_TRUE(path.size() > 8 && (path.substr(path.size() - 8) == "body.bmp" ||
                                    path.substr(path.size() - 10) == u8"数字.bmp"))
        << path;
  }
  EXPECT_EQ(out.find("picture missing: Body"), std::string::npos) << out;
  EXPECT_NE(out.find("warning: line 2 holds text Shift-JIS cannot hold"), std::string::npos) << out;
  EXPECT_LT(out.find("Title="), out.find("picture: "));
  EXPECT_LT(out.find("picture: "), out.find("warning: "));
}

class FrameTool : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteBmp("body.bmp", 24, 20, BodyPixels());
    WriteHand(folder, "hour", 0xFF0000);
    WriteHand(folder, "minute", 0x00FF00);
    WriteHand(folder, "second", 0x0000FF);
    folder.WriteSolidBmp("dial0.bmp", 3, 3, 0x101010);
    folder.WriteSolidBmp("dial1.bmp", 3, 3, 0x202020);
    folder.WriteSolidBmp("dial2.bmp", 3, 3, 0x303030);
    folder.WriteText("skin.HRL", Skin("SpecialMenu=1\r\nEffect=1\r\nAnimation=3\r\nPermillage=0\r\n"));
  }

  // What the clock itself shows: load, set the time, compose, present; upright.
  std::vector<std::uint32_t> Expected(int hour, int minute, int second, int effect, bool antiAliasing,
                                      int dialFrame = 0) {
    MessageLog log;
    ClockState clock;
    clock.skinPath = folder.Path("skin.HRL");
    clock.skinDirectory = folder.dir;
    WindowShape shape;
    EXPECT_TRUE(clock.LoadSkinData(shape));
    clock.settings.antiAliasing = antiAliasing;
    clock.hour = hour;
    clock.minute = minute;
    clock.second = second;
    clock.animating = dialFrame > 0;
    clock.animationFrame = dialFrame > 0 ? dialFrame - 1 : 0;
    clock.ComposeFrame();
    std::vector<std::uint32_t> rows;
    EXPECT_TRUE(RenderPresentation(clock.frame, effect, rows));
    std::vector<std::uint32_t> upright;
    for (int y = clock.frame.height - 1; y >= 0; --y) {
      for (int x = 0; x < clock.frame.width; ++x) upright.push_back(rows[static_cast<std::size_t>(y) * 24 + x]);
    }
    return upright;
  }

  std::vector<std::uint32_t> Output(const std::string& name) {
    platform::BitmapPixels bitmap;
    EXPECT_TRUE(platform::LoadBitmapPixels(folder.Path(name).c_str(), bitmap));
    EXPECT_EQ(bitmap.width, 24);
    EXPECT_EQ(bitmap.height, 20);
    for (auto& pixel : bitmap.pixels) pixel &= 0xFFFFFFu;
    return bitmap.pixels;
  }

  SkinFolder folder;
};

TEST_F(FrameTool, PictureMatchesTheClockAtFreeAndExactAngles) {
  struct Case {
    const char* time;
    int h, m, s;
    const char* effect;
    int effectValue;
    const char* aa;
  };
  const Case cases[] = {
      {"10:08:37", 10, 8, 37, "0", 0, "on"},   {"10:08:37", 10, 8, 37, "0", 0, "off"},
      {"03:00:00", 3, 0, 0, "6", 6, "on"},     {"23:59:59", 23, 59, 59, "4", 4, "on"},
      {"13:21:50", 13, 21, 50, "5", 5, "off"}, {"07:45:15", 7, 45, 15, "-1", -1, "on"},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool(folder, Quote(folder.Path("skin.HRL")) + " --time " + c.time + " --effect " + c.effect +
                                        " --antialiasing " + c.aa + " -o out.bmp");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Output("out.bmp"), Expected(c.h, c.m, c.s, c.effectValue, std::string(c.aa) == "on"))
        << c.time << " effect " << c.effect << " anti-aliasing " << c.aa;
  }
}

// FNV-1a over the presented rows' bytes, bottom row first as presented.
std::string DigestLine(const char* time, const std::vector<std::uint32_t>& upright, int width) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  const std::size_t height = upright.size() / static_cast<std::size_t>(width);
  for (std::size_t y = height; y-- > 0;) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = upright[y * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
      for (int byte = 0; byte < 4; ++byte) {
        hash ^= (pixel >> (8 * byte)) & 0xFFu;
        hash *= 0x100000001B3u;
      }
    }
  }
  char line[40];
  std::snprintf(line, sizeof line, "%s %016llx", time, static_cast<unsigned long long>(hash));
  return line;
}

TEST_F(FrameTool, DayDigestsListEverySecondOfTheClocksFrames) {
  const std::string out = folder.Path("day.txt");
  const std::string command = "cd " + Quote(folder.dir) + " && " + Quote(HORALUNE_FRAME_TOOL) +
                              " skin.HRL --effect 2 --antialiasing on --day-digests >" + Quote(out);
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 86400u);
  EXPECT_EQ(lines[0], DigestLine("00:00:00", Expected(0, 0, 0, 2, true), 24));
  EXPECT_EQ(lines[10 * 3600 + 8 * 60 + 37], DigestLine("10:08:37", Expected(10, 8, 37, 2, true), 24));
  EXPECT_EQ(lines[86399], DigestLine("23:59:59", Expected(23, 59, 59, 2, true), 24));

  // It replaces the picture, so a time or an output file makes no sense with it.
  EXPECT_EQ(RunTool(folder, "skin.HRL --day-digests -o x.bmp").code, 2);
  EXPECT_EQ(RunTool(folder, "skin.HRL --day-digests --time 01:02:03").code, 2);
}

TEST_F(FrameTool, SkinEffectUnderItsSpecialMenuRule) {
  // SpecialMenu 1 with Effect 1: Negative, and a relative skin path works.
  ToolRun run = RunTool(folder, "skin.HRL --time 01:02:03 --antialiasing off -o plain.bmp");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(Output("plain.bmp"), Expected(1, 2, 3, Negative, false));

  // SpecialMenu 0: the Effect key is ignored.
  folder.WriteText("skin.HRL", Skin("SpecialMenu=0\r\nEffect=1\r\nAnimation=3\r\nPermillage=0\r\n"));
  run = RunTool(folder, "skin.HRL --time 01:02:03 --antialiasing off -o plain.bmp");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(Output("plain.bmp"), Expected(1, 2, 3, Normal, false));
}

TEST_F(FrameTool, DialFrameChoosesTheDialLayer) {
  for (int k = 0; k < 3; ++k) {
    const ToolRun run = RunTool(folder, "skin.HRL --time 00:00:00 --effect 0 --dial-frame " + std::to_string(k) +
                                        " -o dial.bmp");
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::uint32_t> picture = Output("dial.bmp");
    EXPECT_EQ(picture[1 * 24 + 1], 0x101010u * static_cast<std::uint32_t>(k + 1)) << "frame " << k;
    EXPECT_EQ(picture, Expected(0, 0, 0, Normal, true, k));
  }
}

TEST_F(FrameTool, RepeatReportsTheTimePerFrame) {
  const ToolRun run = RunTool(folder, "skin.HRL --time 12:00:00 --repeat 3 -o r.bmp");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.err.find("per frame"), std::string::npos) << run.err;
}

// A skin author sees the window's soft edge: the PNG holds the BMP's colours
// with the window's alpha as straight alpha, here at 150 %, where the cut
// top-left pixel leaves a rim of partly covered pixels.
TEST_F(FrameTool, PngOutputKeepsTheWindowsAlpha) {
  ToolRun run = RunTool(folder, "skin.HRL --time 12:00:00 -o out.PNG");
  ASSERT_EQ(run.code, 0) << run.err;
  std::ifstream in(folder.Path("out.PNG"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\0\x18\0\0\0\x14", 8));  // 24 x 20

  for (const char* picture : {"soft.png", "soft.bmp"}) {
    run = RunTool(folder, std::string("skin.HRL --time 12:00:00 --scale 1.5 -o ") + picture);
    ASSERT_EQ(run.code, 0) << run.err;
  }
  int w = 0, h = 0, channels = 0;
  stbi_uc* decoded = stbi_load(folder.Path("soft.png").c_str(), &w, &h, &channels, 4);
  ASSERT_NE(decoded, nullptr);
  const std::vector<std::uint8_t> rgba(decoded, decoded + static_cast<std::size_t>(w) * h * 4);
  stbi_image_free(decoded);
  EXPECT_EQ(channels, 4);
  platform::BitmapPixels bmp;
  ASSERT_TRUE(platform::LoadBitmapPixels(folder.Path("soft.bmp").c_str(), bmp));
  ASSERT_EQ(w, 36);
  ASSERT_EQ(h, 30);
  ASSERT_EQ(bmp.width, w);

  MessageLog log;
  ClockState clock;
  clock.skinPath = folder.Path("skin.HRL");
  clock.skinDirectory = folder.dir;
  clock.displayDpi = 144;
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  ASSERT_EQ(clock.frameAlpha.size(), static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < clock.frameAlpha.size(); ++i) {
    const std::uint32_t colour = bmp.pixels[i];
    ASSERT_EQ(rgba[4 * i], colour >> 16 & 0xFF) << i;
    ASSERT_EQ(rgba[4 * i + 1], colour >> 8 & 0xFF) << i;
    ASSERT_EQ(rgba[4 * i + 2], colour & 0xFF) << i;
    ASSERT_EQ(rgba[4 * i + 3], clock.frameAlpha[i]) << i;
  }
  EXPECT_EQ(rgba[3], 0);        // the cut pixel's own place
  EXPECT_EQ(rgba[4 * 1 + 3], 128);  // half of the next column is the cut pixel's
  EXPECT_EQ(rgba[4 * 37 + 3], 191);  // a quarter of it
}

TEST_F(FrameTool, FailingSkinsExitWithOneAndTheProgramsMessage) {
  folder.WriteText("bad.HRL", Skin("Interval=1001\r\n"));
  ToolRun run = RunTool(folder, "bad.HRL -o x.bmp");
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find(platform::Utf8FromCp932("Intervalは0から1000迄を指定して下さい")), std::string::npos)
      << run.err;

  run = RunTool(folder, "missing.HRL -o x.bmp");
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find(platform::Utf8FromCp932("引数が異常、もしくは使用できないファイルです")), std::string::npos)
      << run.err;

  folder.WriteText("nobody.HRL", "[Initialize]\r\n[Body]\r\nGraph=absent.bmp\r\n");
  run = RunTool(folder, "nobody.HRL -o x.bmp");
  EXPECT_EQ(run.code, 1);
  EXPECT_FALSE(run.err.empty());
}

TEST_F(FrameTool, BadArgumentsExitWithTwoAndTheUsage) {
  for (const char* arguments :
       {"", "skin.HRL", "-o x.bmp", "skin.HRL other.HRL -o x.bmp", "skin.HRL -o", "skin.HRL --effect x -o x.bmp",
        "skin.HRL --effect 99999999999 -o x.bmp", "skin.HRL --time 24:00:00 -o x.bmp", "skin.HRL --time 1:2 -o x.bmp",
        "skin.HRL --time 10:60:00 -o x.bmp", "skin.HRL --antialiasing yes -o x.bmp", "skin.HRL --repeat 0 -o x.bmp",
        "skin.HRL --dial-frame -1 -o x.bmp", "skin.HRL --dial-frame 3 -o x.bmp", "skin.HRL --colour 1 -o x.bmp"}) {
    const ToolRun run = RunTool(folder, arguments);
    EXPECT_EQ(run.code, 2) << arguments;
    EXPECT_NE(run.err.find("usage: horalune-frame SKIN"), std::string::npos) << arguments << ": " << run.err;
  }
}

TEST_F(FrameTool, ScaleDrawsWhatTheClockDrawsAtThatDpi) {
  ASSERT_EQ(RunTool(folder, "skin.HRL --time 04:10:27 --scale 1.5 -o scaled.bmp").code, 0);
  MessageLog log;
  ClockState clock;
  clock.skinPath = folder.Path("skin.HRL");
  clock.skinDirectory = folder.dir;
  clock.displayDpi = 144;
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  ASSERT_EQ(clock.frame.width, 36);
  ASSERT_EQ(clock.frame.height, 30);
  clock.hour = 4, clock.minute = 10, clock.second = 27;
  clock.ComposeFrame();
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(clock.frame, 1, rows));
  platform::BitmapPixels bitmap;
  ASSERT_TRUE(platform::LoadBitmapPixels(folder.Path("scaled.bmp").c_str(), bitmap));
  ASSERT_EQ(bitmap.width, 36);
  ASSERT_EQ(bitmap.height, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 36; ++x) {
      ASSERT_EQ(bitmap.pixels[static_cast<std::size_t>(y) * 36 + x] & 0xFFFFFFu,
                rows[static_cast<std::size_t>(29 - y) * 36 + x] & 0xFFFFFFu) << x << "," << y;
    }
  }
  // Day digests at a scale are those of the scaled frames, not of 100 %.
  const std::string digests = folder.Path("digests.txt");
  EXPECT_EQ(std::system(("cd " + Quote(folder.dir) + " && " + Quote(HORALUNE_FRAME_TOOL) +
                         " skin.HRL --scale 2 --day-digests | head -1 > digests.txt").c_str()), 0);
  std::ifstream in(digests);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line.size(), 25u) << line;
}

TEST_F(FrameTool, ScaleTakesTheStepsWindowsOffersAndRefusesOthers) {
  const struct {
    const char* text;
    int width;  // of the 24-pixel body; 0: refused
  } cases[] = {{"1", 24},  {"1.25", 30}, {"1.50", 36}, {"1.75", 42}, {"2.0", 48}, {"5", 120},
               {"0.75", 0}, {"1.3", 0},   {"5.25", 0},  {"1.125", 0}, {"1.", 0},   {".5", 0},
               {"-1.5", 0}, {"1,5", 0},   {"15", 0},    {"2.5x", 0},  {"''", 0}};
  for (const auto& c : cases) {
    const ToolRun run = RunTool(folder, std::string("skin.HRL --scale ") + c.text + " -o s.bmp");
    if (c.width == 0) {
      EXPECT_EQ(run.code, 2) << c.text;
      EXPECT_NE(run.err.find("--scale"), std::string::npos) << c.text << ": " << run.err;
      continue;
    }
    ASSERT_EQ(run.code, 0) << c.text << ": " << run.err;
    platform::BitmapPixels bitmap;
    ASSERT_TRUE(platform::LoadBitmapPixels(folder.Path("s.bmp").c_str(), bitmap));
    EXPECT_EQ(bitmap.width, c.width) << c.text;
    EXPECT_EQ(bitmap.height, c.width * 20 / 24) << c.text;
  }
}

}  // namespace

#endif  // HORALUNE_FRAME_TOOL

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/info_texts.h"
#include "skin/skin_settings.h"

TEST(InformationTexts, WorkIntroductionJoinsThePieces) {
  SkinSettings settings;
  settings.title = "秋の時計";
  settings.authorText = "\n\n作者";
  EXPECT_EQ(WorkIntroductionText(settings), "秋の時計\n\n作者");
  settings.homepageText = "\n\nhttp://example.org/\nsecond";
  settings.emailText = "\n\nmail";
  settings.commentText = "\n\nコメント";
  EXPECT_EQ(WorkIntroductionText(settings),
            "秋の時計\n\n作者\n\nhttp://example.org/\nsecond\n\nmail\n\nコメント");
  // Five 255-byte pieces do not fit one print: cut, never inside a character.
  settings.title = "a" + std::string(127, '\0');
  for (char& c : settings.title) c = c ? c : 'x';
  std::string wide;
  for (int i = 0; i < 600; ++i) wide += "表";
  settings.commentText = wide;
  const std::string text = WorkIntroductionText(settings);
  // 168 bytes come before the comment, so byte 1023 would split a character.
  EXPECT_EQ(text.size(), kDialogTextLimit - 1);
  EXPECT_EQ(text.substr(text.size() - 2), "表");
}

TEST(InformationTexts, VersionText) {
  const std::string text = VersionText();
  EXPECT_EQ(text.substr(0, text.find('\n')), "-  ほらるね  Version 0.21  -");
  EXPECT_NE(text.find("\n\n\n Copyright (C) 2026 Horalune developers\n\n\n"), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
}

#ifdef HORALUNE_SOURCE_DIR
// The version dialog, the build, the file's version resource and the manifest
// (and through the build, the release zip's name) give one version.
TEST(InformationTexts, OneVersionEverywhere) {
  auto read = [](const char* name) {
    std::ifstream in(std::string(HORALUNE_SOURCE_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const std::string shown = VersionText();
  const std::string marker = "Version ";
  const std::size_t at = shown.find(marker) + marker.size();
  const std::string version = shown.substr(at, shown.find(' ', at) - at);
  const std::string dots = version.substr(0, version.find('.')) + "," + version.substr(version.find('.') + 1);
  EXPECT_NE(read("CMakeLists.txt").find("project(Horalune VERSION " + version + " "), std::string::npos);
  const std::string rc = read("resources/horalune.rc");
  EXPECT_NE(rc.find("FILEVERSION " + dots + ",0,0"), std::string::npos);
  EXPECT_NE(rc.find("PRODUCTVERSION " + dots + ",0,0"), std::string::npos);
  EXPECT_NE(rc.find("\"FileVersion\", \"" + version + "\""), std::string::npos);
  EXPECT_NE(read("resources/Horalune.manifest").find("version=\"" + version + ".0.0\""), std::string::npos);
}
#endif

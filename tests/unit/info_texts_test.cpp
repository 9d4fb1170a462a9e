#include <gtest/gtest.h>

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

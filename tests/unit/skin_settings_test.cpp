#include <gtest/gtest.h>

#include <string>

#include "skin/skin_settings.h"
#include "skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

// Writes an Initialize section holding the given lines and reads it back.
struct SettingsRead {
  SkinFolder folder;
  MessageLog log;
  SkinSettings settings;
  bool ok = false;

  explicit SettingsRead(const std::string& lines) {
    folder.WriteText("skin.HRL", "[Initialize]\r\n" + lines + "[Body]\r\nGraph=body.bmp\r\n");
    ok = ReadSkinSettings(folder.Path("skin.HRL").c_str(), settings);
  }
};

TEST(SkinSettings, EmptySectionGivesTheDefaults) {
  SettingsRead read("");
  ASSERT_TRUE(read.ok);
  EXPECT_TRUE(read.log.messages.empty());
  const SkinSettings& s = read.settings;
  EXPECT_EQ(s.title, "タイトル無し");
  EXPECT_EQ(s.authorText, "\n\n作者情報無し");
  EXPECT_EQ(s.homepageText, "");
  EXPECT_EQ(s.emailText, "");
  EXPECT_EQ(s.commentText, "");
  EXPECT_EQ(s.alarmVoice, "non");
  EXPECT_FALSE(s.hasDocument);
  EXPECT_EQ(s.documentFile, "");
  EXPECT_TRUE(s.antiAliasing);
  EXPECT_EQ(s.specialMenu, 0);
  EXPECT_EQ(s.effect, 0);
  EXPECT_FALSE(s.topmost);
  EXPECT_EQ(s.dialPosX + s.dialPosY + s.dialNumPosX + s.dialNumPosY + s.axisPosX + s.axisPosY, 0);
  EXPECT_EQ(s.posX + s.posY + s.coverPosX + s.coverPosY, 0);
  EXPECT_EQ(s.interval, 250);
  EXPECT_EQ(s.animation, 0);
  EXPECT_EQ(s.startChance, 1000);  // OccProb 1
}

TEST(SkinSettings, DescriptionTextsAreComposed) {
  SettingsRead read(
      "Title=朝の時計\r\nAuthor=山田\r\nHomepage=http://example.org/\r\nHomepage_2ndl=二行目\r\n"
      "Email=a@example.org\r\nComment=説明\r\nAlarmVoice=chime.wav\r\n");
  ASSERT_TRUE(read.ok);
  const SkinSettings& s = read.settings;
  EXPECT_EQ(s.title, "朝の時計");
  EXPECT_EQ(s.authorText, "\n\n山田");
  EXPECT_EQ(s.homepageText, "\n\nhttp://example.org/\n二行目");
  EXPECT_EQ(s.emailText, "\n\na@example.org");
  EXPECT_EQ(s.commentText, "\n\n説明");
  EXPECT_EQ(s.alarmVoice, "chime.wav");
}

TEST(SkinSettings, NonInAnyCaseMeansNothingGiven) {
  SettingsRead read("Homepage=NON\r\nHomepage_2ndl=second\r\nEmail=Non\r\nComment=nOn\r\n");
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.settings.homepageText, "");
  EXPECT_EQ(read.settings.emailText, "");
  EXPECT_EQ(read.settings.commentText, "");

  SettingsRead secondOnly("Homepage_2ndl=second\r\n");
  EXPECT_EQ(secondOnly.settings.homepageText, "");
  SettingsRead secondNon("Homepage=first\r\nHomepage_2ndl=NON\r\n");
  EXPECT_EQ(secondNon.settings.homepageText, "\n\nfirst");
}

TEST(SkinSettings, LongestComposedTextsAreKeptWhole) {
  const std::string a(300, 'a');
  const std::string b(300, 'b');
  SettingsRead read("Title=" + a + "\r\nHomepage=" + a + "\r\nHomepage_2ndl=" + b + "\r\nComment=" +
                    b + "\r\n");
  ASSERT_TRUE(read.ok);
  // Values are seen up to 255 bytes; the composed texts keep every one of them.
  EXPECT_EQ(read.settings.title, std::string(255, 'a'));
  EXPECT_EQ(read.settings.homepageText,
            "\n\n" + std::string(255, 'a') + "\n" + std::string(255, 'b'));
  EXPECT_EQ(read.settings.homepageText.size(), 513u);
  EXPECT_EQ(read.settings.commentText.size(), 257u);
}

TEST(SkinSettings, FlagsAreOnOnlyForExactlyOne) {
  SettingsRead off("AntiAliasing=2\r\nTopmost=2\r\n");
  EXPECT_FALSE(off.settings.antiAliasing);
  EXPECT_FALSE(off.settings.topmost);
  SettingsRead on("AntiAliasing=1\r\nTopmost=1\r\n");
  EXPECT_TRUE(on.settings.antiAliasing);
  EXPECT_TRUE(on.settings.topmost);
  SettingsRead zero("AntiAliasing=0\r\n");
  EXPECT_FALSE(zero.settings.antiAliasing);
}

TEST(SkinSettings, EffectFollowsTheSpecialMenuMode) {
  struct Case {
    const char* lines;
    int mode;
    int effect;
  } cases[] = {
      {"SpecialMenu=3\r\nEffect=2\r\n", 0, 0},  {"SpecialMenu=2\r\nEffect=2\r\n", 2, 2},
      {"SpecialMenu=1\r\nEffect=5\r\n", 1, 5},  {"Effect=4\r\n", 0, 0},
      {"SpecialMenu=-1\r\nEffect=4\r\n", 0, 0}, {"SpecialMenu=1\r\nEffect=9\r\n", 1, 9},
  };
  for (const Case& c : cases) {
    SettingsRead read(c.lines);
    ASSERT_TRUE(read.ok) << c.lines;
    EXPECT_EQ(read.settings.specialMenu, c.mode) << c.lines;
    EXPECT_EQ(read.settings.effect, c.effect) << c.lines;
  }
}

TEST(SkinSettings, PositionsAreSigned) {
  SettingsRead read(
      "DialPosX=-3\r\nDialPosY=4\r\nDialNumPosX=5\r\nDialNumPosY=-6\r\nAxisPosX=100\r\n"
      "AxisPosY=101\r\nPosX=-1200\r\nPosY=700\r\nCoverPosX=90\r\nCoverPosY=91\r\n");
  ASSERT_TRUE(read.ok);
  const SkinSettings& s = read.settings;
  EXPECT_EQ(s.dialPosX, -3);
  EXPECT_EQ(s.dialPosY, 4);
  EXPECT_EQ(s.dialNumPosX, 5);
  EXPECT_EQ(s.dialNumPosY, -6);
  EXPECT_EQ(s.axisPosX, 100);
  EXPECT_EQ(s.axisPosY, 101);
  EXPECT_EQ(s.posX, -1200);
  EXPECT_EQ(s.posY, 700);
  EXPECT_EQ(s.coverPosX, 90);
  EXPECT_EQ(s.coverPosY, 91);
}

TEST(SkinSettings, RangesAcceptTheirLimits) {
  SettingsRead read("Interval=1000\r\nAnimation=100\r\nPermillage=1000\r\n");
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.settings.interval, 1000);
  EXPECT_EQ(read.settings.animation, 100);
  EXPECT_EQ(read.settings.startChance, 1000);
  SettingsRead zero("Interval=0\r\nPermillage=0\r\nOccProb=0\r\n");
  ASSERT_TRUE(zero.ok);  // OccProb is not read when Permillage is present
  EXPECT_EQ(zero.settings.interval, 0);
  EXPECT_EQ(zero.settings.startChance, 0);
}

TEST(SkinSettings, EachValidationShowsItsMessage) {
  struct Case {
    const char* lines;
    const char* message;
  } cases[] = {
      {"Interval=1001\r\n", "Intervalは0から1000迄を指定して下さい"},
      {"Interval=-1\r\n", "Intervalは0から1000迄を指定して下さい"},
      {"Animation=101\r\n", "Animationは0から100迄を指定して下さい"},
      {"Animation=-1\r\n", "Animationは0から100迄を指定して下さい"},
      {"Permillage=10000\r\n", "Permillageは0から1000迄を指定して下さい"},
      {"Permillage=5987\r\n", "Permillageは0から1000迄を指定して下さい"},
      {"Permillage=-1\r\n", "Permillageは0から1000迄を指定して下さい"},
      {"Permillage=1001\r\n", "Permillageは0から1000迄を指定して下さい"},
      {"OccProb=0\r\n", "OccProbに0以下の値は指定できません"},
      {"OccProb=-5\r\n", "OccProbに0以下の値は指定できません"},
      // The first failing check ends the read.
      {"Interval=2000\r\nAnimation=500\r\n", "Intervalは0から1000迄を指定して下さい"},
  };
  for (const Case& c : cases) {
    SettingsRead read(c.lines);
    EXPECT_FALSE(read.ok) << c.lines;
    read.log.ExpectOnlyError(c.message);
  }
}

TEST(SkinSettings, OccProbBecomesAChancePerThousand) {
  struct Case {
    int occProb;
    int chance;
  } cases[] = {{1, 1000}, {3, 333}, {4, 250}, {7, 142}, {1000, 1}, {2000, 0}};
  for (const Case& c : cases) {
    SettingsRead read("OccProb=" + std::to_string(c.occProb) + "\r\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.settings.startChance, c.chance) << c.occProb;
  }
}

TEST(SkinSettings, DocumentRule) {
  struct Case {
    const char* value;
    bool accepted;
  } cases[] = {
      {"readme.txt", true},          {"README.TXT", true},
      {"guide.Doc", true},           {"page.htm", true},
      {"page.HTML", true},           {"doc\\about.txt", true},
      {"a.b.txt", true},             {"manual.pdf", false},
      {"readme", false},             {"readme.txt.bak", false},
      {"HTTP://x/readme.txt", false}, {"a|b.txt", false},
      {"non", false},                {"NON", false},
      {".txt", true},                {"http:/x.txt", true},
      // ポ is 0x83 0x7C: its second byte is no '|'.
      {"ポスター.txt", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DocumentFileAccepted(c.value), c.accepted) << c.value;
  }
}

TEST(SkinSettings, DocumentFileIsStoredOnlyWhenAccepted) {
  SettingsRead accepted("DocumentFile=説明書.TXT\r\n");
  EXPECT_TRUE(accepted.settings.hasDocument);
  EXPECT_EQ(accepted.settings.documentFile, "説明書.TXT");
  SettingsRead refused("DocumentFile=manual.pdf\r\n");
  EXPECT_FALSE(refused.settings.hasDocument);
  EXPECT_EQ(refused.settings.documentFile, "");
}

TEST(SkinSettings, ReadingAgainReplacesEveryField) {
  SettingsRead first("Title=A\r\nDocumentFile=a.txt\r\nHomepage=h\r\nTopmost=1\r\n");
  SkinFolder folder;
  folder.WriteText("next.HRL", "[Initialize]\r\n");
  SkinSettings s = first.settings;
  ASSERT_TRUE(ReadSkinSettings(folder.Path("next.HRL").c_str(), s));
  EXPECT_EQ(s.title, "タイトル無し");
  EXPECT_FALSE(s.hasDocument);
  EXPECT_EQ(s.documentFile, "");
  EXPECT_EQ(s.homepageText, "");
  EXPECT_FALSE(s.topmost);
}

}  // namespace

// Which sound an alarm plays: its own file, else the skin's alarm sound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/voice_choice.h"

namespace {

TEST(AlarmVoiceChoice, OwnFileThenSkinSoundThenNothing) {
  EXPECT_EQ(ChooseAlarmVoice("C:\\a.wav", "chime.wav", "C:\\skin\\"), "C:\\a.wav");
  EXPECT_EQ(ChooseAlarmVoice("default", "chime.wav", "C:\\skin\\"), "C:\\skin\\chime.wav");
  EXPECT_EQ(ChooseAlarmVoice("DEFAULT", "sub\\chime.wav", "C:\\表\\"), "C:\\表\\sub\\chime.wav");
  EXPECT_EQ(ChooseAlarmVoice("default", "NON", "C:\\skin\\"), "");
  EXPECT_EQ(ChooseAlarmVoice("Default", "non", "C:\\skin\\"), "");
  EXPECT_EQ(ChooseAlarmVoice("", "", "C:\\skin\\"), "");
}

TEST(AlarmVoiceChoice, AnOwnVoiceThatCannotPlayFallsBackToTheSkinSound) {
  using Files = std::vector<std::string>;
  EXPECT_EQ(AlarmVoiceCandidates("C:\\a.wav", "chime.wav", "C:\\skin\\"),
            (Files{"C:\\a.wav", "C:\\skin\\chime.wav"}));
  EXPECT_EQ(AlarmVoiceCandidates("C:\\a.wav", "non", "C:\\skin\\"), Files{"C:\\a.wav"});
  EXPECT_EQ(AlarmVoiceCandidates("default", "chime.wav", "C:\\skin\\"), Files{"C:\\skin\\chime.wav"});
  EXPECT_TRUE(AlarmVoiceCandidates("default", "non", "C:\\skin\\").empty());
}

}  // namespace

#include "alarm/voice_choice.h"

#include "alarm/alarm_record.h"

std::string ChooseAlarmVoice(const std::string& alarmVoice, const std::string& skinAlarmVoice,
                             const std::string& skinDirectory) {
  if (!alarmVoice.empty() && !EqualsIgnoringAsciiCase(alarmVoice.c_str(), kDefaultAlarmVoice)) {
    return alarmVoice;
  }
  if (skinAlarmVoice.empty() || EqualsIgnoringAsciiCase(skinAlarmVoice.c_str(), "non")) {
    return std::string();
  }
  return skinDirectory + skinAlarmVoice;
}

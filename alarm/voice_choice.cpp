#include "alarm/voice_choice.h"

#include "alarm/alarm_record.h"
#include "platform/ascii.h"

std::string ChooseAlarmVoice(const std::string& alarmVoice, const std::string& skinAlarmVoice,
                             const std::string& skinDirectory) {
  if (!alarmVoice.empty() && !ascii::EqualsIgnoringCase(alarmVoice, kDefaultAlarmVoice)) {
    return alarmVoice;
  }
  if (skinAlarmVoice.empty() || ascii::EqualsIgnoringCase(skinAlarmVoice, "non")) {
    return std::string();
  }
  return skinDirectory + skinAlarmVoice;
}

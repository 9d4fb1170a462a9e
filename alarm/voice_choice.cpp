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

std::vector<std::string> AlarmVoiceCandidates(const std::string& alarmVoice,
                                              const std::string& skinAlarmVoice,
                                              const std::string& skinDirectory) {
  std::vector<std::string> files;
  const std::string first = ChooseAlarmVoice(alarmVoice, skinAlarmVoice, skinDirectory);
  if (!first.empty()) files.push_back(first);
  const std::string skinVoice = ChooseAlarmVoice(std::string(), skinAlarmVoice, skinDirectory);
  if (!skinVoice.empty() && skinVoice != first) files.push_back(skinVoice);
  return files;
}

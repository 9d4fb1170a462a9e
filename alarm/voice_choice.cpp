#include "alarm/voice_choice.h"

#include "alarm/alarm_record.h"
#include "platform/ascii.h"
#include "platform/files.h"

std::string ChooseAlarmVoice(const std::string& cp932AlarmVoice,
                             const std::string& cp932SkinAlarmVoice,
                             const std::string& utf8SkinDirectory) {
  if (!cp932AlarmVoice.empty() && !ascii::EqualsIgnoringCase(cp932AlarmVoice, kDefaultAlarmVoice)) {
    return platform::PathFromCp932(cp932AlarmVoice);
  }
  if (cp932SkinAlarmVoice.empty() || ascii::EqualsIgnoringCase(cp932SkinAlarmVoice, "non")) {
    return std::string();
  }
  return platform::JoinPath(utf8SkinDirectory, cp932SkinAlarmVoice);
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

// Which file an alarm plays: its own voice, or for "default" the skin's alarm
// sound (the skin directory followed by the AlarmVoice value), or none.
#pragma once
#include <string>

// Empty when there is nothing to play (the alarm's voice is "default", in any
// letter case, and the skin's AlarmVoice is "non").
std::string ChooseAlarmVoice(const std::string& alarmVoice, const std::string& skinAlarmVoice,
                             const std::string& skinDirectory);

// Which file an alarm plays: its own voice, or for "default" the skin's alarm
// sound (the skin directory followed by the AlarmVoice value), or none.
#pragma once
#include <string>
#include <vector>

// Empty when there is nothing to play (the alarm's voice is "default", in any
// letter case, and the skin's AlarmVoice is "non").
std::string ChooseAlarmVoice(const std::string& alarmVoice, const std::string& skinAlarmVoice,
                             const std::string& skinDirectory);

// The files to try in turn: the alarm's own voice, then the skin's alarm sound,
// each only when named; a voice that is missing or cannot play falls back to
// the next, and after the last to the information beep.
std::vector<std::string> AlarmVoiceCandidates(const std::string& alarmVoice,
                                              const std::string& skinAlarmVoice,
                                              const std::string& skinDirectory);

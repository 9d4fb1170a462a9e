// Which file an alarm plays: its own voice, or for "default" the skin's alarm
// sound (the skin directory followed by the AlarmVoice value), or none.
#pragma once
#include <string>
#include <vector>

// The path (UTF-8) to play; the voices are code page 932 as the files hold
// them, the skin directory UTF-8. Empty when there is nothing to play (the
// alarm's voice is "default", in any letter case, and the skin's AlarmVoice is
// "non") or the path is too long to name a file.
std::string ChooseAlarmVoice(const std::string& cp932AlarmVoice,
                             const std::string& cp932SkinAlarmVoice,
                             const std::string& utf8SkinDirectory);

// The files to try in turn: the alarm's own voice, then the skin's alarm sound,
// each only when named; a voice that is missing or cannot play falls back to
// the next, and after the last to the information beep.
std::vector<std::string> AlarmVoiceCandidates(const std::string& alarmVoice,
                                              const std::string& skinAlarmVoice,
                                              const std::string& skinDirectory);

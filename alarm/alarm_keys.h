// Names of the alarm keys in the Alarm section of Horalune.DAT: alarm n is the
// five keys Switch<n>, Time<n>, Title<n>, Message<n> and Voice<n>, n written
// "00" .. "99".
#pragma once
#include <string>

extern const char* const kAlarmSection;  // "Alarm"

// e.g. AlarmKeyName("Time", 7) is "Time07".
std::string AlarmKeyName(const char* stem, int n);

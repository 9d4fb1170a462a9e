// The Alarm section of Horalune.DAT built as one text, so that a save can
// write the whole file once instead of once per key. The bytes are those the
// key-by-key writes leave.
#pragma once
#include <string>

class AlarmList;

// "[Alarm]\r\n" and the five keys of every active alarm, numbered from 00,
// each line ending in CR LF; empty when the list is empty.
std::string AlarmSectionText(const AlarmList& list);

// The text of a settings file with its Alarm section replaced by the list's.
std::string WithAlarmSection(const std::string& fileText, const AlarmList& list);

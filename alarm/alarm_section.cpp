#include "alarm/alarm_section.h"

#include "alarm/alarm_keys.h"
#include "alarm/alarm_list.h"
#include "platform/ini_document.h"

namespace {

// The profile writer drops blanks (and the control characters counted as
// blanks) at the start of a value.
const char* SkipLeadingBlanks(const char* value) {
  while (*value == ' ' || (*value >= 9 && *value <= 13) || *value == 0x1A) ++value;
  return value;
}

struct AlarmKey {
  const char* stem;
  std::string value;
};

void ForEachKey(const AlarmList& list, void (*write)(std::string&, const std::string&,
                                                      const std::string&),
                std::string& out) {
  for (int i = 0; i < list.Count(); ++i) {
    const AlarmRecord& record = *list.Active(i);
    const AlarmKey keys[] = {{"Switch", record.SwitchOn() ? "on" : "off"},
                             {"Time", record.FormatTimeKey()},
                             {"Title", record.Title()},
                             {"Message", record.Message()},
                             {"Voice", record.Voice()}};
    for (const AlarmKey& key : keys) write(out, AlarmKeyName(key.stem, i), key.value);
  }
}

}  // namespace

std::string AlarmSectionText(const AlarmList& list) {
  std::string text;
  if (list.Count() == 0) return text;
  text.reserve(static_cast<std::size_t>(list.Count()) * 160);
  text += "[";
  text += kAlarmSection;
  text += "]\r\n";
  ForEachKey(list,
             [](std::string& out, const std::string& name, const std::string& value) {
               out += name;
               out += '=';
               out += SkipLeadingBlanks(value.c_str());
               out += "\r\n";
             },
             text);
  return text;
}

std::string WithAlarmSection(const std::string& fileText, const AlarmList& list) {
  std::string text = fileText;
  platform::ini::DeleteSection(text, kAlarmSection);
  if (list.Count() == 0) return text;
  std::string probe = text;
  if (platform::ini::DeleteSection(probe, kAlarmSection)) {
    // A second Alarm section (written by hand) takes the keys, as it would
    // key by key; rare enough to go the slow way.
    ForEachKey(list,
               [](std::string& out, const std::string& name, const std::string& value) {
                 platform::ini::SetValue(out, kAlarmSection, name.c_str(), value.c_str());
               },
               text);
    return text;
  }
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
  return text + AlarmSectionText(list);
}

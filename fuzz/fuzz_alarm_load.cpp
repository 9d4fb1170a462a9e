// Horalune.DAT from anywhere: loading drops what it cannot use, keeps at most
// 100 filled alarms with texts of 1..255 bytes, and what it saves loads again
// as the same alarms; a save it refuses writes none.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "alarm/alarm_list.h"

namespace {

std::string TempPath(const char* name) {
  return "/tmp/horalune-fuzz-" + std::to_string(getpid()) + "-" + name;
}

bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

void CheckRecords(const AlarmList& list) {
  if (list.Count() < 0 || list.Count() > kMaxAlarms) __builtin_trap();
  for (int i = 0; i < list.Count(); ++i) {
    const AlarmRecord* record = list.Active(i);
    if (!record || !record->HoldsTexts()) __builtin_trap();
    for (const std::string* text : {&record->Title(), &record->Message(), &record->Voice()}) {
      if (text->empty() || text->size() > 255) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each key read parses the whole file and each key written rewrites it: keep
  // inputs small so that the target stays fast.
  if (size > 2048) return 0;
  static const std::string input = TempPath("in.DAT");
  static const std::string output = TempPath("out.DAT");
  if (!WriteFile(input, data, size)) return 0;
  AlarmList list(input.c_str());
  CheckRecords(list);
  if (list.Count() > 20) return 0;

  std::remove(output.c_str());
  if (!list.Save(output.c_str())) {
    // A new settings file is code page 932 and never takes text that would read
    // back as another encoding (this build keeps the program's own default texts
    // in UTF-8): a refused save must leave no alarms half written.
    if (AlarmList(output.c_str()).Count() != 0) __builtin_trap();
    return 0;
  }
  AlarmList again(output.c_str());
  CheckRecords(again);
  if (again.Count() != list.Count()) __builtin_trap();
  for (int i = 0; i < list.Count(); ++i) {
    const AlarmRecord* a = list.Active(i);
    const AlarmRecord* b = again.Active(i);
    if (a->SwitchOn() != b->SwitchOn() || a->FormatTimeKey() != b->FormatTimeKey())
      __builtin_trap();
  }
  return 0;
}

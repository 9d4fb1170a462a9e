// Saving a full alarm list (100 alarms, 500 keys) into Horalune.DAT: one
// read-modify-write of the file against one per key, as saves were made before.
// And the worst alarm check: a whole day walked after a long sleep.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "alarm/alarm_check.h"
#include "alarm/alarm_keys.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "platform/ini_file.h"
#include "platform/profile.h"

namespace {

constexpr int kAlarms = 100;
const char* const kStems[] = {"Switch", "Time", "Title", "Message", "Voice"};
const char* const kValues[] = {"on", "Mon073000", "起床", "朝ごはんの時間です", "wake.wav"};

std::string ScratchFile() {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "horalune-bench.DAT";
  std::filesystem::remove(path);
  return path.string();
}

void BM_AlarmSaveOneWrite(benchmark::State& state) {
  const std::string path = ScratchFile();
  for (auto _ : state) {
    platform::IniFile file(path);
    file.DeleteSection(kAlarmSection);
    for (int n = 0; n < kAlarms; ++n) {
      for (int k = 0; k < 5; ++k) file.Set(kAlarmSection, AlarmKeyName(kStems[k], n).c_str(), kValues[k]);
    }
    benchmark::DoNotOptimize(file.Save());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_AlarmSaveOneWrite)->Unit(benchmark::kMillisecond);

void BM_AlarmSaveKeyByKey(benchmark::State& state) {
  const std::string path = ScratchFile();
  for (auto _ : state) {
    platform::WriteProfileString(kAlarmSection, nullptr, nullptr, path.c_str());
    for (int n = 0; n < kAlarms; ++n) {
      for (int k = 0; k < 5; ++k) {
        platform::WriteProfileString(kAlarmSection, AlarmKeyName(kStems[k], n).c_str(), kValues[k],
                                     path.c_str());
      }
    }
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_AlarmSaveKeyByKey)->Unit(benchmark::kMillisecond);

void FillHundred(AlarmList& list) {
  list.BeginEdit();
  for (int i = 0; i < kMaxAlarms; ++i) {
    list.AddWorking();
    char key[16];
    std::snprintf(key, sizeof key, "%02d%02d00", i % 24, i % 60);
    list.StoreWorking(i, i % 3 != 0, key, "起床の時間です", "おはようございます、今日も一日",
                      "C:\\Users\\someone\\Music\\chime.wav");
  }
  list.EndEdit(true);
}

void BM_CheckAfterADaysSleep(benchmark::State& state) {
  AlarmList list(nullptr);
  FillHundred(list);
  LocalClockReading morning;
  morning.year = 2026;
  morning.month = 1;
  morning.day = 5;
  morning.weekday = 1;
  morning.hour = 7;
  LocalClockReading nextMorning = morning;
  nextMorning.day = 6;
  nextMorning.weekday = 2;
  for (auto _ : state) {
    AlarmCheckState check;
    AlarmQueue queue;
    CheckDueAlarms(check, list, queue, morning, 0, nullptr);
    CheckDueAlarms(check, list, queue, nextMorning, 86400 * 1000, nullptr);
  }
}
BENCHMARK(BM_CheckAfterADaysSleep)->Unit(benchmark::kMillisecond);

}  // namespace

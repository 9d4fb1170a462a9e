// Saving a full alarm list (100 alarms, 500 keys) into Horalune.DAT: one
// read-modify-write of the file against one per key, as saves were made before.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "alarm/alarm_keys.h"
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

}  // namespace

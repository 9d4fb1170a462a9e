// Saving 100 alarms ("ok" and "apply" in the editor): today's save writes the
// file once per key; the one-text section is what a single write would take.
// And the worst alarm check: a whole day walked after a long sleep.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "alarm/alarm_check.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "alarm/alarm_section.h"
#include "platform/files.h"

namespace {

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

std::string BenchFile() {
  return (std::filesystem::temp_directory_path() / "horalune-bench-alarms.DAT").string();
}

const char* const kOtherSections = "[Default]\r\nDataDir=C:\\skins\\classic\r\nInterval=250\r\n";

void BM_SaveKeyByKey(benchmark::State& state) {
  AlarmList list(nullptr);
  FillHundred(list);
  const std::string path = BenchFile();
  for (auto _ : state) {
    benchmark::DoNotOptimize(list.Save(path.c_str()));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveKeyByKey)->Unit(benchmark::kMillisecond);

void BM_SectionTextInMemory(benchmark::State& state) {
  AlarmList list(nullptr);
  FillHundred(list);
  const std::string before = kOtherSections + AlarmSectionText(list);
  for (auto _ : state) {
    benchmark::DoNotOptimize(WithAlarmSection(before, list));
  }
}
BENCHMARK(BM_SectionTextInMemory)->Unit(benchmark::kMicrosecond);

void BM_SectionTextAndOneWrite(benchmark::State& state) {
  AlarmList list(nullptr);
  FillHundred(list);
  const std::string path = BenchFile();
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs(kOtherSections, file);
    std::fclose(file);
  }
  for (auto _ : state) {
    std::string text;
    platform::ReadWholeFile(path.c_str(), text);
    text = WithAlarmSection(text, list);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SectionTextAndOneWrite)->Unit(benchmark::kMicrosecond);

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

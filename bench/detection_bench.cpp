// How often encoding detection misreads real Japanese strings, on the whole
// corpus scripts/make-detection-corpus.py makes from the public data of this
// system (the unit tests check a seeded sample), and how fast it decides.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/text_encoding.h"

namespace {

using Corpus = std::map<std::string, std::vector<std::string>>;  // category: UTF-8 strings

Corpus LoadCorpus() {
  Corpus corpus;
  const std::string command =
      std::string("python3 ") + HORALUNE_SOURCE_DIR + "/scripts/make-detection-corpus.py";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return corpus;
  std::string line;
  for (int c; (c = std::fgetc(pipe)) != EOF;) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) corpus[line.substr(0, tab)].push_back(line.substr(tab + 1));
    line.clear();
  }
  pclose(pipe);
  return corpus;
}

const Corpus& TheCorpus() {
  static const Corpus corpus = LoadCorpus();
  return corpus;
}

std::string SettingsFile(const std::vector<std::string>& values) {
  std::string file = "[Initialize]\r\nPosX=120\r\n[Alarm]\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    file += "Title0" + std::to_string(i) + "=" + values[i] + "\r\n";
  }
  return file;
}

void PrintMisreads() {
  const Corpus& corpus = TheCorpus();
  if (corpus.empty()) {
    std::printf("encoding detection: no Japanese message catalogs under "
                "/usr/share/locale/ja/LC_MESSAGES: measurement skipped\n");
    return;
  }
  std::printf("encoding detection misreads (single-value files; files of three values):\n");
  std::mt19937 random(22);
  for (const auto& [category, strings] : corpus) {
    int cp932AsUtf8 = 0, utf8AsCp932 = 0, threes = 0;
    std::string examples;  // the first few misread strings
    for (const std::string& utf8 : strings) {
      const std::string cp932 = platform::Cp932FromUtf8(utf8);
      if (platform::DetectEncoding(SettingsFile({cp932})) != platform::TextEncoding::Cp932) {
        if (++cp932AsUtf8 <= 5) examples += " " + utf8 + " (CP932)";
      }
      if (platform::DetectEncoding(SettingsFile({utf8})) != platform::TextEncoding::Utf8) {
        if (++utf8AsCp932 <= 5) examples += " " + utf8 + " (UTF-8)";
      }
      std::vector<std::string> three, threeCp932;
      for (int k = 0; k < 3; ++k) {
        three.push_back(strings[random() % strings.size()]);
        threeCp932.push_back(platform::Cp932FromUtf8(three.back()));
      }
      if (platform::DetectEncoding(SettingsFile(three)) != platform::TextEncoding::Utf8) ++threes;
      if (platform::DetectEncoding(SettingsFile(threeCp932)) != platform::TextEncoding::Cp932) {
        ++threes;
      }
    }
    const double n = static_cast<double>(strings.size());
    std::printf("  %-10s %6zu strings: CP932 as UTF-8 %4d (%.3f %%), UTF-8 as CP932 %4d (%.3f %%); "
                "files of three %d of %zu\n",
                category.c_str(), strings.size(), cp932AsUtf8, 100.0 * cp932AsUtf8 / n, utf8AsCp932,
                100.0 * utf8AsCp932 / n, threes, 2 * strings.size());
    if (!examples.empty()) std::printf("    misread:%s\n", examples.c_str());
  }
}

void BM_DetectSettingsFile(benchmark::State& state) {
  static bool printed = false;
  if (!printed) {
    PrintMisreads();
    printed = true;
  }
  const std::string file = SettingsFile({u8"朝ごはんの時間です", u8"ﾃｽﾄ", u8"１２月２９日"});
  for (auto _ : state) benchmark::DoNotOptimize(platform::DetectEncoding(file));
}
BENCHMARK(BM_DetectSettingsFile);

}  // namespace

// Telling CP932 from UTF-8 on real Japanese strings: a seeded sample of the
// corpus scripts/make-detection-corpus.py makes from public data (the full
// corpus is measured by the benchmark). Each string is made the only
// non-ASCII value of a settings file, in each encoding, and then three of them
// share one file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/text_encoding.h"

using platform::DetectEncoding;
using platform::TextEncoding;

namespace {

struct Misreads {
  int strings = 0;
  int cp932AsUtf8 = 0;
  int utf8AsCp932 = 0;
  int filesOfThree = 0;
  int misreadFilesOfThree = 0;
};

std::string SettingsFile(const std::vector<std::string>& values) {
  std::string file = "[Initialize]\r\nPosX=120\r\n[Alarm]\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    file += "Title0" + std::to_string(i) + "=" + values[i] + "\r\nSwitch0" + std::to_string(i) +
            "=on\r\n";
  }
  return file;
}

TEST(DetectionCorpus, MisreadsNoSampledStringEitherWay) {
  std::ifstream in(std::string(HORALUNE_SOURCE_DIR) + "/tests/data/detection-sample.txt",
                   std::ios::binary);
  ASSERT_TRUE(in.good());
  std::map<std::string, std::vector<std::string>> byCategory;  // UTF-8
  for (std::string line; std::getline(in, line);) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) byCategory[line.substr(0, tab)].push_back(line.substr(tab + 1));
  }
  ASSERT_GE(byCategory.size(), 6u);
  std::mt19937 random(22);
  for (const auto& [category, strings] : byCategory) {
    Misreads m;
    for (const std::string& utf8 : strings) {
      const std::string cp932 = platform::Cp932FromUtf8(utf8);
      ++m.strings;
      if (DetectEncoding(SettingsFile({cp932})) != TextEncoding::Cp932) {
        ++m.cp932AsUtf8;
        ADD_FAILURE() << category << " in CP932 read as UTF-8: " << utf8;
      }
      if (DetectEncoding(SettingsFile({utf8})) != TextEncoding::Utf8) {
        ++m.utf8AsCp932;
        ADD_FAILURE() << category << " in UTF-8 read as CP932: " << utf8;
      }
      std::vector<std::string> three;
      for (int k = 0; k < 3; ++k) three.push_back(strings[random() % strings.size()]);
      std::vector<std::string> threeCp932;
      for (const std::string& s : three) threeCp932.push_back(platform::Cp932FromUtf8(s));
      m.filesOfThree += 2;
      if (DetectEncoding(SettingsFile(three)) != TextEncoding::Utf8) ++m.misreadFilesOfThree;
      if (DetectEncoding(SettingsFile(threeCp932)) != TextEncoding::Cp932) ++m.misreadFilesOfThree;
    }
    EXPECT_EQ(m.misreadFilesOfThree, 0) << category;
    std::printf("%-10s %5d strings: CP932 read as UTF-8 %d, UTF-8 read as CP932 %d; "
                "files of three misread %d of %d\n",
                category.c_str(), m.strings, m.cp932AsUtf8, m.utf8AsCp932, m.misreadFilesOfThree,
                m.filesOfThree);
  }
}

}  // namespace

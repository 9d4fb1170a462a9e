// Helpers for the skin tests: a fresh folder of skin files per test, small BMPs
// and INI texts written into it, and a message sink that records every box.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "skin/bmp_writer.h"
#include "unit/test_host.h"

namespace skintest {

inline const char& kSeparator = testing_support::kPathSeparator;

// A folder that lives as long as the fixture. `dir` ends in the separator, the
// way the program keeps its skin directory.
class SkinFolder {
 public:
  SkinFolder() {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A random part keeps two test runs on one machine out of each other's folders.
    std::string name = "horalune-skin-" + std::to_string(std::random_device{}() % 1000000u) + "-" +
                       std::to_string(++counter);
    if (info) name += std::string("-") + info->name();
    root_ = base / name;
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    dir = root_.string() + kSeparator;
  }
  ~SkinFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  std::string Path(const std::string& name) const { return dir + name; }

  // Writes bytes as they are (code page 932 literals stay CP932).
  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream out(root_ / name, std::ios::binary);
    out << text;
  }

  void WriteBmp(const std::string& name, int width, int height,
                const std::vector<std::uint32_t>& pixels) const {
    ASSERT_TRUE(WriteBmp24(Path(name).c_str(), width, height, pixels.data()));
  }

  void WriteSolidBmp(const std::string& name, int width, int height, std::uint32_t colour) const {
    WriteBmp(name, width, height,
             std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour));
  }

  std::string dir;

 private:
  std::filesystem::path root_;
};

// Records every message box shown while it lives; nothing reaches the screen.
class MessageLog {
 public:
  MessageLog() {
    platform::SetMessageSink([this](const platform::Message& m) {
      messages.push_back(m);
      return platform::MessageAnswer::Ok;
    });
  }
  ~MessageLog() { platform::SetMessageSink(nullptr); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // The one error box the skin code shows: no owner, the program's caption.
  void ExpectOnlyError(const std::string& text) const {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text);
    EXPECT_EQ(messages[0].caption, "ほらるね");
    EXPECT_EQ(messages[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(messages[0].owner, nullptr);
  }

  std::vector<platform::Message> messages;
};

}  // namespace skintest

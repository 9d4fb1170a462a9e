#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/files.h"
#include "platform/text.h"
#include "temp_folder.h"

using testing_support::TempFolder;

TEST(Files, ExistenceAndReading) {
  TempFolder folder;
  const std::string path = folder.File("data.bin");
  EXPECT_FALSE(platform::FileExists(path.c_str()));
  EXPECT_FALSE(platform::FileReadable(path.c_str()));
  std::string bytes = "stale";
  EXPECT_FALSE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_TRUE(bytes.empty());

  const std::string content("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(TempFolder::Write(path, content));
  EXPECT_TRUE(platform::FileExists(path.c_str()));
  EXPECT_TRUE(platform::FileReadable(path.c_str()));
  EXPECT_TRUE(platform::FileReadWritable(path.c_str()));
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, content);
}

TEST(Files, BigFilesReadWhole) {
  TempFolder folder;
  const std::string path = folder.File("big.bin");
  std::string content;
  for (int i = 0; i < 200000; ++i) content += static_cast<char>(i * 7);
  ASSERT_TRUE(TempFolder::Write(path, content));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, content);
}

TEST(Files, JapanesePaths) {
  TempFolder folder;
  const std::string sub = folder.Path() + u8"ソ表";
  ASSERT_TRUE(TempFolder::MakeFolder(sub));
  const std::string path = sub + u8"\\時計.bmp";
  ASSERT_TRUE(TempFolder::Write(path, "BM"));
  EXPECT_TRUE(platform::FileReadable(path.c_str()));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, "BM");
}

TEST(Files, ProgramDirectoryEndsInABackslash) {
  const std::string directory = platform::ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(platform::LastPathSeparator(directory), directory.size() - 1);
  // This test program lives there.
  EXPECT_TRUE(platform::FileExists((directory + testing_support::TestProgramFileName()).c_str()));
}

// A skin may name a folder as a picture: reading it must neither throw nor
// take the folder's reported size at its word.
TEST(Files, AFolderReadsAsNoFile) {
  TempFolder folder;
  std::string bytes;
  EXPECT_NO_THROW(platform::ReadWholeFile(folder.Path().c_str(), bytes));
  EXPECT_TRUE(bytes.empty());
}

// A safe write replaces the whole file and leaves nothing beside it, also for
// a file whose path is as long as a path may be.
TEST(Files, SafeWritesReplaceWholeAndLeaveNothingBeside) {
  TempFolder folder;
  const std::string path = folder.Path() + u8"表ソ.DAT";
  const std::string content("[a]\r\n\0\xFF", 7);
  ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), "old and longer"));
  ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), content));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, content);
  EXPECT_FALSE(platform::FileExists(platform::PathWrittenBeside(path).c_str()));
  const std::string nowhere = folder.Path() + "missing\\x.DAT";
  EXPECT_FALSE(platform::WriteFileSafely(nowhere.c_str(), content));
  EXPECT_FALSE(platform::FileExists(nowhere.c_str()));

  // Folders deep enough that the settings file's path is 259 units.
  std::string deep = folder.Path();
  const std::size_t name = std::string(platform::kSettingsFileName).size();
  std::size_t left = platform::kMaxPathUnits - platform::Utf16Units(deep.c_str()) - name;
  while (left > 0) {  // each folder takes its name and a separator
    const std::size_t part = left <= 101 ? left - 1 : std::min<std::size_t>(100, left - 3);
    deep += std::string(part, 'd');
    ASSERT_TRUE(TempFolder::MakeFolder(deep));
    deep += "\\";
    left -= part + 1;
  }
  const std::string longest = platform::SettingsFilePath(deep);
  ASSERT_EQ(platform::Utf16Units(longest.c_str()), platform::kMaxPathUnits) << longest;
  ASSERT_TRUE(platform::WriteFileSafely(longest.c_str(), "first"));
  ASSERT_TRUE(platform::WriteFileSafely(longest.c_str(), content));
  ASSERT_TRUE(platform::ReadWholeFile(longest.c_str(), bytes));
  EXPECT_EQ(bytes, content);
}

TEST(Files, TheFileBesideIsNoLongerThanTheFile) {
  EXPECT_EQ(platform::PathWrittenBeside("C:\\a.b\\Horalune.DAT"), "C:\\a.b\\Horalune.~");
  EXPECT_EQ(platform::PathWrittenBeside("C:\\a.b\\README"), "C:\\a.b\\README.~");
  EXPECT_EQ(platform::PathWrittenBeside("/tmp/x.y/skin.ini"), "/tmp/x.y/skin.~");
  EXPECT_EQ(platform::PathWrittenBeside("C:\\.hidden"), "C:\\.hidden.~");
  EXPECT_EQ(platform::PathWrittenBeside("C:\\tmp.~"), "C:\\tmp.~.~");
}

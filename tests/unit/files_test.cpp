#include <gtest/gtest.h>

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

TEST(Files, SafeWritesReplaceWholeAndLeaveNothingBeside) {
  TempFolder folder;
  const std::string path = folder.Path() + u8"表ソ.DAT";
  const std::string content("[a]\r\n\0\xFF", 7);
  ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), "old and longer"));
  ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), content));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, content);
  EXPECT_FALSE(platform::FileExists((path + ".new").c_str()));
  const std::string nowhere = folder.Path() + "missing\\x.DAT";
  EXPECT_FALSE(platform::WriteFileSafely(nowhere.c_str(), content));
  EXPECT_FALSE(platform::FileExists(nowhere.c_str()));
}

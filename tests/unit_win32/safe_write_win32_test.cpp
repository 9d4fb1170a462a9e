// A safe write whose replace fails, in each of the ways ReplaceFileW can:
// a whole file always stays under the file's name, and the only copy of the
// new bytes is never deleted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "alarm/alarm_list.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/win32/file_replace.h"
#include "unit/temp_folder.h"

namespace {

using testing_support::TempFolder;

// The old file is gone and the new one kept its temporary name.
BOOL ReplaceRemovingTheOriginal(const wchar_t* replaced, const wchar_t*) {
  DeleteFileW(replaced);
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  return FALSE;
}

// Neither file moved (the old one is held open, say).
BOOL ReplaceTouchingNothing(const wchar_t*, const wchar_t*) {
  SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
  return FALSE;
}

class ScopedReplaceFault {
 public:
  explicit ScopedReplaceFault(platform::ReplaceFileCall call) { platform::SetReplaceFileCall(call); }
  ~ScopedReplaceFault() { platform::SetReplaceFileCall(nullptr); }
};

TEST(SafeWriteWin32, AFailedReplaceLeavesAWholeFile) {
  TempFolder folder;
  const std::string path = folder.File("Horalune.DAT");
  const std::string beside = platform::PathWrittenBeside(path);
  std::string bytes;
  {
    ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), "old"));
    ScopedReplaceFault fault(ReplaceRemovingTheOriginal);
    EXPECT_TRUE(platform::WriteFileSafely(path.c_str(), "new"));  // the new file took the name
    ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_FALSE(platform::FileExists(beside.c_str()));
  }
  {
    ScopedReplaceFault fault(ReplaceTouchingNothing);
    EXPECT_FALSE(platform::WriteFileSafely(path.c_str(), "newer"));
    ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_FALSE(platform::FileExists(beside.c_str()));
  }
  // The real call again.
  ASSERT_TRUE(platform::WriteFileSafely(path.c_str(), "newest"));
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, "newest");
}

// The settings file held open without sharing, as a scanner may: the alarms
// read as unavailable, not as an empty list, and nothing is saved over them.
TEST(SafeWriteWin32, AFileHeldWithoutSharingIsNeverSavedOver) {
  TempFolder folder;
  const std::string path = folder.File("Horalune.DAT");
  const std::string before = "[Alarm]\r\nTime00=070000\r\n";
  ASSERT_TRUE(TempFolder::Write(path, before));
  HANDLE held = CreateFileW(platform::WideFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  AlarmList list(path.c_str());
  EXPECT_TRUE(list.Unavailable());
  CloseHandle(held);
  EXPECT_FALSE(list.Save(path.c_str()));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  EXPECT_EQ(bytes, before);
  list.Load(path.c_str());
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace

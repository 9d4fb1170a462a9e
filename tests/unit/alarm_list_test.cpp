#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/alarm_list.h"

namespace {

// A list with the given every-day alarms committed through the editor.
void Fill(AlarmList& list, const std::vector<std::string>& titles) {
  list.BeginEdit();
  for (const std::string& title : titles) {
    ASSERT_TRUE(list.AddWorking());
    const int i = list.WorkingCount() - 1;
    ASSERT_TRUE(list.StoreWorking(i, true, "120000", title.c_str(), "", ""));
  }
  list.EndEdit(true);
}

std::vector<std::string> WorkingTitles(const AlarmList& list) {
  std::vector<std::string> titles;
  for (int i = 0; i < list.WorkingCount(); ++i) titles.push_back(list.WorkingTitle(i));
  return titles;
}

TEST(AlarmList, StartsEmptyWithoutAFile) {
  AlarmList list(nullptr);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.Title(0), "");
  EXPECT_EQ(list.Active(0), nullptr);
}

TEST(AlarmList, BeginEditCopiesActiveRecords) {
  AlarmList list(nullptr);
  Fill(list, {"A", "B"});
  list.BeginEdit();
  EXPECT_TRUE(list.IsEditing());
  EXPECT_EQ(WorkingTitles(list), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(list.WorkingSwitch(0));
  EXPECT_EQ(list.WorkingHourText(1), "12");
  EXPECT_EQ(list.WorkingMinuteText(1), "00");
  EXPECT_EQ(list.WorkingWeekday(1), kEveryDay);
  list.EndEdit(false);
  EXPECT_FALSE(list.IsEditing());
}

TEST(AlarmList, AddWorkingAppendsDefaultsUpToOneHundred) {
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  EXPECT_FALSE(list.WorkingSwitch(0));
  EXPECT_EQ(list.WorkingWeekday(0), kEveryDay);
  EXPECT_EQ(list.WorkingHourText(0), "00");
  EXPECT_EQ(list.WorkingTitle(0), "未タイトルのメッセージ");
  EXPECT_EQ(list.WorkingMessage(0), "登録メッセージ無し");
  EXPECT_EQ(list.WorkingVoice(0), "default");
  for (int i = 1; i < kMaxAlarms; ++i) ASSERT_TRUE(list.AddWorking());
  EXPECT_FALSE(list.AddWorking());
  EXPECT_EQ(list.WorkingCount(), kMaxAlarms);
  list.EndEdit(true);
  EXPECT_EQ(list.Count(), kMaxAlarms);
}

TEST(AlarmList, DeleteWorkingClosesTheGap) {
  AlarmList list(nullptr);
  Fill(list, {"A", "B", "C"});
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));
  EXPECT_EQ(WorkingTitles(list), (std::vector<std::string>{"B", "C"}));
  list.EndEdit(false);

  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(2));
  EXPECT_EQ(WorkingTitles(list), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(list.DeleteWorking(2));  // past the end
  EXPECT_FALSE(list.DeleteWorking(-1));
  ASSERT_TRUE(list.DeleteWorking(1));
  ASSERT_TRUE(list.DeleteWorking(0));
  EXPECT_FALSE(list.DeleteWorking(0));  // empty
  list.EndEdit(true);
  EXPECT_EQ(list.Count(), 0);
}

TEST(AlarmList, CancelLeavesActiveRecordsAsTheyWere) {
  AlarmList list(nullptr);
  Fill(list, {"A", "B"});
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));
  ASSERT_TRUE(list.StoreWorking(0, false, "Sat010203", "X", "Y", "Z"));
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.AddWorking());
  list.EndEdit(false);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Title(0), "A");
  EXPECT_EQ(list.Title(1), "B");
  EXPECT_TRUE(list.Active(1)->SwitchOn());
}

TEST(AlarmList, CommitReplacesActiveRecords) {
  AlarmList list(nullptr);
  Fill(list, {"A", "B", "C"});
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(1));
  ASSERT_TRUE(list.StoreWorking(1, false, "Sat010203", "X", "Y", "Z"));
  list.EndEdit(true);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Title(0), "A");
  EXPECT_EQ(list.Title(1), "X");
  EXPECT_EQ(list.Voice(1), "Z");
  EXPECT_EQ(list.NotificationText(1), "01:02:03 Sat \r\nY");
  EXPECT_EQ(list.Title(2), "");  // stale records are not reachable

  list.BeginEdit();
  while (list.WorkingCount() > 0) ASSERT_TRUE(list.DeleteWorking(0));
  list.EndEdit(true);
  EXPECT_EQ(list.Count(), 0);
}

TEST(AlarmList, StoreWorkingRejectsBadIndexAndKeyWithoutChanges) {
  AlarmList list(nullptr);
  list.BeginEdit();
  EXPECT_FALSE(list.StoreWorking(0, true, "120000", "t", "m", "v"));  // no record yet
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(0, true, "Mon120000", "t", "m", "v"));
  EXPECT_FALSE(list.StoreWorking(0, false, "250000", "u", "n", "w"));
  EXPECT_TRUE(list.WorkingSwitch(0));
  EXPECT_EQ(list.WorkingTitle(0), "t");
  EXPECT_EQ(list.WorkingWeekday(0), 1);
  list.EndEdit(true);
  EXPECT_EQ(list.Count(), 1);
}

TEST(AlarmList, StoredTextsStayOnOneLine) {
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(0, true, "120000", "a\r\nTime05=000000", "b\nc", "d\re"));
  EXPECT_EQ(list.WorkingTitle(0), "a  Time05=000000");
  EXPECT_EQ(list.WorkingMessage(0), "b c");
  EXPECT_EQ(list.WorkingVoice(0), "d e");
  list.EndEdit(false);
}

TEST(AlarmList, WorkingOperationsNeedAnEdit) {
  AlarmList list(nullptr);
  EXPECT_FALSE(list.AddWorking());
  EXPECT_FALSE(list.DeleteWorking(0));
  EXPECT_EQ(list.WorkingCount(), 0);
  list.EndEdit(true);  // nothing to commit: the list stays as it was
  EXPECT_EQ(list.Count(), 0);
}

TEST(AlarmList, ActiveRecordsStayWhileEditing) {
  AlarmList list(nullptr);
  Fill(list, {"A"});
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));
  ASSERT_NE(list.Active(0), nullptr);
  EXPECT_TRUE(list.Active(0)->IsDue(0, 120000));
  list.EndEdit(true);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace

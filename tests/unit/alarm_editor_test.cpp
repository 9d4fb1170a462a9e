#include <gtest/gtest.h>

#include <string>

#include "alarm/alarm_editor.h"
#include "alarm/alarm_list.h"

namespace {

class AlarmEditorTest : public ::testing::Test {
 protected:
  // A list of `n` committed alarms titled "1", "2", ...
  void Seed(int n) {
    list.BeginEdit();
    for (int i = 0; i < n; ++i) {
      ASSERT_TRUE(list.AddWorking());
      ASSERT_TRUE(list.StoreWorking(i, true, "Mon080000", std::to_string(i + 1).c_str(), "", ""));
    }
    list.EndEdit(true);
  }

  AlarmList list{nullptr};
  AlarmEditor editor{list};
};

TEST_F(AlarmEditorTest, EmptyListShowsNoDataAndDefaults) {
  editor.Open();
  EXPECT_EQ(editor.Counter(), ">> No Data. ");
  const AlarmForm form = editor.Shown();
  EXPECT_FALSE(form.switchOn);
  EXPECT_EQ(form.hour, "00");
  EXPECT_EQ(form.minute, "00");
  EXPECT_EQ(form.second, "00");
  EXPECT_EQ(form.weekday, "everyday");
  EXPECT_EQ(form.title, "未タイトルのメッセージ");
  EXPECT_EQ(form.message, "登録メッセージ無し");
  EXPECT_EQ(form.voice, "default");
}

TEST_F(AlarmEditorTest, OkWithAnUntouchedFormCreatesNothing) {
  editor.Open();
  editor.Ok(editor.Shown());
  EXPECT_EQ(list.Count(), 0);
  AlarmForm emptied;  // cleared edits count as unchanged too
  editor.Open();
  emptied.title = emptied.message = emptied.voice = "";
  editor.Ok(emptied);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(AlarmEditorTest, ASwitchOrAnyChangeOnAnEmptyListCreatesOneAlarm) {
  AlarmForm switched;
  switched.switchOn = true;
  AlarmForm hour;
  hour.hour = "07";
  AlarmForm message;
  message.title = "";
  message.message = "歯医者";
  AlarmForm weekday;
  weekday.weekday = "Sunday";
  for (const AlarmForm& form : {switched, hour, message, weekday}) {
    AlarmList fresh(nullptr);
    AlarmEditor e(fresh);
    e.Open();
    e.Ok(form);
    ASSERT_EQ(fresh.Count(), 1);
    EXPECT_EQ(fresh.Active(0)->SwitchOn(), form.switchOn);
  }
  AlarmList fresh(nullptr);
  AlarmEditor e(fresh);
  e.Open();
  e.Ok(message);
  EXPECT_EQ(fresh.Title(0), "未タイトルのメッセージ");
  EXPECT_EQ(fresh.NotificationText(0), "00:00:00 \r\n歯医者");
}

TEST_F(AlarmEditorTest, FormBuildsTheTimeKey) {
  AlarmForm form;
  form.weekday = "Tuesday";
  form.hour = "07";
  form.minute = "05";
  form.second = "00";
  EXPECT_EQ(FormTimeKey(form), "Tue070500");
  form.weekday = "EVERYDAY";
  EXPECT_EQ(FormTimeKey(form), "070500");
  EXPECT_STREQ(WeekdayItemText(7), "everyday");
  EXPECT_STREQ(WeekdayItemText(0), "Sunday");
  EXPECT_STREQ(WeekdayItemText(6), "Saturday");
  editor.Open();
  editor.Ok(form);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Active(0)->FormatTimeKey(), "070500");
}

TEST_F(AlarmEditorTest, BackAndNextStayInsideTheList) {
  Seed(3);
  editor.Open();
  EXPECT_EQ(editor.Counter(), "No. 001/003");
  editor.Back(editor.Shown());
  EXPECT_EQ(editor.Current(), 0);
  editor.Next(editor.Shown());
  editor.Next(editor.Shown());
  EXPECT_EQ(editor.Counter(), "No. 003/003");
  EXPECT_EQ(editor.Shown().title, "3");
  editor.Next(editor.Shown());
  EXPECT_EQ(editor.Counter(), "No. 003/003");
}

TEST_F(AlarmEditorTest, SteppingStoresTheFormIntoTheShownRecord) {
  Seed(2);
  editor.Open();
  AlarmForm form = editor.Shown();
  EXPECT_EQ(form.weekday, "Monday");
  EXPECT_EQ(form.hour, "08");
  form.title = "changed";
  form.weekday = "Friday";
  editor.Next(form);
  editor.Back(editor.Shown());
  EXPECT_EQ(editor.Shown().title, "changed");
  EXPECT_EQ(editor.Shown().weekday, "Friday");
  EXPECT_EQ(list.Title(0), "1");  // only the working copy changed
}

TEST_F(AlarmEditorTest, DeleteShowsTheNeighbourOrNoData) {
  Seed(3);
  editor.Open();
  editor.Next(editor.Shown());
  editor.Next(editor.Shown());
  editor.Delete();
  EXPECT_EQ(editor.Counter(), "No. 002/002");
  EXPECT_EQ(editor.Shown().title, "2");
  editor.Delete();
  editor.Delete();
  EXPECT_EQ(editor.Counter(), ">> No Data. ");
  // Nothing left: nothing happens, and the dialog keeps its form.
  EXPECT_FALSE(editor.Delete());
  EXPECT_FALSE(editor.Back(editor.Shown()));
  EXPECT_FALSE(editor.Next(editor.Shown()));
  EXPECT_EQ(list.WorkingCount(), 0);

  AlarmForm form = editor.Shown();
  form.minute = "30";
  editor.Apply(form);
  EXPECT_EQ(editor.Counter(), "No. 001/001");
  EXPECT_EQ(editor.Shown().minute, "30");
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(AlarmEditorTest, AddShowsANewDefaultRecord) {
  Seed(1);
  editor.Open();
  AlarmForm form = editor.Shown();
  form.message = "kept";
  editor.Add(form);
  EXPECT_EQ(editor.Counter(), "No. 002/002");
  EXPECT_EQ(editor.Shown().title, "未タイトルのメッセージ");
  EXPECT_FALSE(editor.Shown().switchOn);
  editor.Back(editor.Shown());
  EXPECT_EQ(editor.Shown().message, "kept");
}

TEST_F(AlarmEditorTest, AddOnAnEmptyCopyStoresTheForm) {
  editor.Open();
  AlarmForm form = editor.Shown();
  form.switchOn = true;
  form.second = "15";
  editor.Add(form);
  EXPECT_EQ(editor.Counter(), "No. 001/001");
  EXPECT_TRUE(editor.Shown().switchOn);
  EXPECT_EQ(editor.Shown().second, "15");
}

TEST_F(AlarmEditorTest, TheHundredthRecordReadsMax) {
  Seed(99);
  editor.Open();
  editor.Add(editor.Shown());
  EXPECT_EQ(editor.Current(), 99);
  EXPECT_EQ(editor.Counter(), "No. 100 (Max)");
  AlarmForm form = editor.Shown();
  form.title = "last";
  editor.Add(form);  // full: the form goes into the shown record
  EXPECT_EQ(list.WorkingCount(), 100);
  EXPECT_EQ(editor.Counter(), "No. 100 (Max)");
  EXPECT_EQ(editor.Shown().title, "last");
  editor.Back(editor.Shown());
  EXPECT_EQ(editor.Counter(), "No. 099/100");
}

TEST_F(AlarmEditorTest, CancelDropsOnlyWhatCameAfterApply) {
  Seed(1);
  editor.Open();
  AlarmForm form = editor.Shown();
  form.title = "applied";
  editor.Apply(form);
  EXPECT_EQ(list.Title(0), "applied");
  form.title = "dropped";
  editor.Add(form);
  editor.Cancel();
  EXPECT_FALSE(list.IsEditing());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Title(0), "applied");
}

TEST_F(AlarmEditorTest, LongTypedTextsAreCutLikeTheEditBuffer) {
  editor.Open();
  AlarmForm form;
  form.title = std::string(300, 'a');
  form.message = "x" + std::string(300, '\x82');  // two-byte characters after "x"
  editor.Ok(form);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Title(0).size(), 254u);
  EXPECT_EQ(list.Active(0)->Message().size(), 253u);  // no half character
}

}  // namespace

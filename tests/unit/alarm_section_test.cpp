#include <gtest/gtest.h>

#include <random>
#include <string>

#include "alarm/alarm_list.h"
#include "alarm/alarm_section.h"
#include "platform/files.h"
#include "temp_folder.h"

namespace {

// The section built in one go must leave exactly the file that the
// key-by-key save (the platform's profile writer) leaves, for any list and
// whatever the file held around it.
TEST(AlarmSection, OneTextEqualsTheKeyByKeySave) {
  const char* const before[] = {
      "",
      "[Default]\r\nDataDir=C:\\skins\r\n",
      "[Default]\r\nDataDir=C:\\skins\r\n[Alarm]\r\nTime00=070000\r\nTime05=999999\r\n"
      "Title05=old\r\n[Window]\r\nX=10\r\n",
      "[Alarm]\r\nSwitch00=on\r\nTime00=Mon083000\r\n",
      "[Default]\r\nLast=1",  // no line end at the end
  };
  // No value ends in a blank: Wine's writer drops those (reading drops them
  // anyway), ours keeps the bytes it is given.
  const char* const texts[] = {"", "起床", "  leading blanks", "a=b", "表\\ソ", "\tTab",
                               "default", "x"};
  const char* const keys[] = {"070000", "Mon083000", "sat235959", "0830", "000000"};
  std::mt19937 random(7);
  const auto pick = [&](auto& table) {
    return table[random() % (sizeof table / sizeof table[0])];
  };
  testing_support::TempFolder folder;
  int round = 0;
  for (const char* text : before) {
    // A longer list once: each key-by-key save rewrites the whole file per key.
    const bool full = text == before[2];
    for (int count : {0, 1, full ? 30 : 4}) {
      SCOPED_TRACE(std::string(text) + " / " + std::to_string(count));
      AlarmList list(nullptr);
      list.BeginEdit();
      for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(list.AddWorking());
        ASSERT_TRUE(list.StoreWorking(i, random() % 2 == 0, pick(keys), pick(texts), pick(texts),
                                      pick(texts)));
      }
      list.EndEdit(true);
      const std::string path = folder.File("Horalune" + std::to_string(++round) + ".DAT");
      ASSERT_TRUE(testing_support::TempFolder::Write(path, text));
      ASSERT_TRUE(list.Save(path.c_str()));
      std::string saved;
      ASSERT_TRUE(platform::ReadWholeFile(path.c_str(), saved));
      EXPECT_EQ(WithAlarmSection(text, list), saved);
    }
  }
}

}  // namespace

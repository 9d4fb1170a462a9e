#include <gtest/gtest.h>

#include <set>
#include <string>

#include "alarm/alarm_owner.h"

namespace {

// Clocks on one file meet under one name; clocks on neighbouring files never
// do, and no path, however long or odd, makes a name the lock cannot take.
TEST(AlarmOwner, OneNamePerSettingsFile) {
  const std::string path = "C:\\PROGRAM FILES\\HORALUNE\\HORALUNE.DAT";
  EXPECT_EQ(AlarmOwnerName(path), AlarmOwnerName(std::string(path)));
  std::set<std::string> names;
  const std::string variants[] = {path,
                                  "C:\\PROGRAM FILES\\HORALUNE2\\HORALUNE.DAT",
                                  "D:\\PROGRAM FILES\\HORALUNE\\HORALUNE.DAT",
                                  "C:\\表\\HORALUNE.DAT",
                                  "C:\\ソ\\HORALUNE.DAT",
                                  std::string(5000, 'A') + "\\HORALUNE.DAT",
                                  ""};
  for (const std::string& variant : variants) {
    const std::string name = AlarmOwnerName(variant);
    EXPECT_EQ(name.rfind("Horalune.Alarms.", 0), 0u);
    EXPECT_EQ(name.size(), 32u);
    EXPECT_EQ(name.find('\\'), std::string::npos);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), sizeof variants / sizeof variants[0]);
}

}  // namespace

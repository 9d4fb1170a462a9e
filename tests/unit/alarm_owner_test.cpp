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
    EXPECT_EQ(name.rfind("Horalune.Alarms.path.", 0), 0u);
    EXPECT_EQ(name.size(), 37u);
    EXPECT_EQ(name.find('\\'), std::string::npos);
    names.insert(name);
  }
  // Folders told apart by identity never meet a folder named by its path.
  names.insert(AlarmOwnerName(1u, 2u));
  names.insert(AlarmOwnerName(2u, 1u));
  names.insert(AlarmOwnerName(0xFFFFFFFFu, ~0ull));
  EXPECT_EQ(names.size(), sizeof variants / sizeof variants[0] + 3);
}

}  // namespace

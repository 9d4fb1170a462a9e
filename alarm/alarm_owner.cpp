#include "alarm/alarm_owner.h"

#include <cstdio>

std::string AlarmOwnerName(std::uint32_t volumeSerial, std::uint64_t fileIndex) {
  char name[48];
  std::snprintf(name, sizeof name, "Horalune.Alarms.%08lx.%016llx",
                static_cast<unsigned long>(volumeSerial),
                static_cast<unsigned long long>(fileIndex));
  return name;
}

std::string AlarmOwnerName(const std::string& canonicalPath) {
  // 64-bit FNV-1a: two different folders sharing a name is as likely as a
  // random 64-bit collision.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : canonicalPath) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char name[48];
  std::snprintf(name, sizeof name, "Horalune.Alarms.path.%016llx",
                static_cast<unsigned long long>(hash));
  return name;
}

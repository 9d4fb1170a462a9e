#include "alarm/alarm_owner.h"

#include <cstdint>
#include <cstdio>

std::string AlarmOwnerName(const std::string& canonicalPath) {
  // 64-bit FNV-1a: two different settings files sharing a name is as likely
  // as a random 64-bit collision.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : canonicalPath) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char name[40];
  std::snprintf(name, sizeof name, "Horalune.Alarms.%016llx", static_cast<unsigned long long>(hash));
  return name;
}

#include "alarm/alarm_identity.h"

#include <map>

#include "alarm/alarm_list.h"

std::vector<AlarmIdentity> IdentifyAlarms(const AlarmList& list) {
  std::vector<AlarmIdentity> identities;
  std::map<std::string, int> seen;
  for (int i = 0; i < list.Count(); ++i) {
    AlarmIdentity identity;
    identity.timeKey = list.Active(i)->FormatTimeKey();
    identity.rank = seen[identity.timeKey]++;
    identities.push_back(std::move(identity));
  }
  return identities;
}

bool ShownAlarms::Mark(std::int64_t serial, const AlarmIdentity& alarm) {
  if (!shown_.emplace(serial, alarm).second) return false;
  while (shown_.size() > kMostRemembered) shown_.erase(shown_.begin());
  return true;
}

bool ShownAlarms::Contains(std::int64_t serial, const AlarmIdentity& alarm) const {
  return shown_.count({serial, alarm}) != 0;
}

// Natively there are no platform profile functions to compare ours with.
#include "unit/profile_reference.h"

namespace testing_support {

std::vector<ProfileCalls> PlatformProfileCallsIfAny() { return {}; }

}  // namespace testing_support

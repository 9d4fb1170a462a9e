// The profile calls the conformance cases run through: ours in both builds and,
// on Windows, the platform's own functions, which are the reference.
#pragma once
#include <cstddef>
#include <vector>

namespace testing_support {

struct ProfileCalls {
  const char* name;
  bool namesInCp932;  // compares section and key names as CP932 text
  bool reference;     // the platform's own functions
  std::size_t (*readString)(const char* section, const char* key, const char* def, char* out,
                            std::size_t size, const char* path);
  unsigned (*readInt)(const char* section, const char* key, int def, const char* path);
  bool (*writeString)(const char* section, const char* key, const char* value, const char* path);
};

// The platform's own profile functions where it has them (on Windows), else
// none: tests/unit_win32/platform_profile.cpp, tests/unit_native/test_host.cpp.
std::vector<ProfileCalls> PlatformProfileCallsIfAny();

std::vector<ProfileCalls> ProfileImplementations();

}  // namespace testing_support

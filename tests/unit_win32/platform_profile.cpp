// The Windows profile functions, called only by the tests as the reference that
// our INI implementation must match.
#include <windows.h>

#include "unit/profile_reference.h"

namespace testing_support {
namespace {

std::size_t Read(const char* section, const char* key, const char* def, char* out,
                 std::size_t size, const char* path) {
  return GetPrivateProfileStringA(section, key, def, out, static_cast<DWORD>(size), path);
}

unsigned ReadInt(const char* section, const char* key, int def, const char* path) {
  return GetPrivateProfileIntA(section, key, def, path);
}

bool Write(const char* section, const char* key, const char* value, const char* path) {
  return WritePrivateProfileStringA(section, key, value, path) != FALSE;
}

}  // namespace

ProfileCalls PlatformProfileCalls() {
  return {"the platform's", GetACP() == 932, true, Read, ReadInt, Write};
}

std::vector<ProfileCalls> PlatformProfileCallsIfAny() { return {PlatformProfileCalls()}; }

}  // namespace testing_support

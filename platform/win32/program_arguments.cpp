#include "platform/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text.h"

namespace platform {

std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
  }
  return args;
}

std::string AbsolutePath(const std::string& given) {
  std::string path = given;
  const std::wstring wide = WideFromUtf8(given);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed != 0) {
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr);
    if (written != 0 && written < needed) {
      full.resize(written);
      path = Utf8FromWide(full);
    }
  }
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace platform

#include "platform/program_arguments.h"

#include <unistd.h>

namespace platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  return args;
}

std::string AbsolutePath(const std::string& given) {
  std::string path = given;
  if (path.empty() || (path[0] != '/' && path[0] != '\\')) {
    std::vector<char> cwd(4096);
    if (getcwd(cwd.data(), cwd.size()) != nullptr) path = std::string(cwd.data()) + "/" + path;
  }
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace platform

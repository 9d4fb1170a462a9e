#include "platform/program_output.h"

namespace platform {

bool WriteProgramText(std::FILE* stream, const std::string& utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size() && std::fflush(stream) == 0;
}

}  // namespace platform

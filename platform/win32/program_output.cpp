#include "platform/program_output.h"

#include <io.h>
#include <windows.h>

#include <algorithm>

#include "platform/text.h"

namespace platform {

bool WriteProgramText(std::FILE* stream, const std::string& utf8) {
  if (std::fflush(stream) != 0) return false;  // what went before comes first
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    // In pieces: older consoles refuse one write of more than about 64 KB.
    // A piece never ends between the two halves of a surrogate pair.
    const std::wstring wide = WideFromUtf8(utf8);
    constexpr std::size_t kPiece = 8192;
    for (std::size_t at = 0; at < wide.size();) {
      std::size_t length = std::min(kPiece, wide.size() - at);
      if (at + length < wide.size() && IS_HIGH_SURROGATE(wide[at + length - 1])) --length;
      DWORD written = 0;
      if (!WriteConsoleW(handle, wide.data() + at, static_cast<DWORD>(length), &written, nullptr) ||
          written == 0) {
        return false;
      }
      at += written;
    }
    return true;
  }
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size() && std::fflush(stream) == 0;
}

}  // namespace platform

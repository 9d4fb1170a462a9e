// Placeholder until the Win32 seam lands.
#include "platform/files.h"
namespace platform {
std::string ProgramDirectory() { return ".\\"; }
}

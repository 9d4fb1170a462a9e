// Placeholder until the native seam lands.
#include "platform/files.h"
namespace platform {
std::string ProgramDirectory() { return ".\\"; }
}

// The skin's alarm sound: a soft two-note bell, as a 16-bit PCM WAVE file.
#pragma once
#include <string>

namespace skingen {

// The whole file's bytes.
std::string ChimeWave();

}  // namespace skingen

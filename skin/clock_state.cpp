#include "skin/clock_state.h"

#include "platform/files.h"

SkinPictures::~SkinPictures() = default;

ClockState::ClockState() : programDirectory(platform::ProgramDirectory()) {}

ClockState::~ClockState() = default;

// Placeholder until the skin loaders land.
#include "skin/clock_state.h"
PlanarImage::~PlanarImage() = default;
void PlanarImage::Clear() {}
bool PlanarImage::LoadPicture(int, int, const char*) { return false; }
bool PlanarImage::LoadPictureWithMask(int, int, const char*, const char*) { return false; }
bool PlanarImage::LoadHand(int, int, const char*) { return false; }
bool PlanarImage::LoadHandWithMask(int, int, const char*, const char*) { return false; }
bool ReadSkinSettings(const char*, SkinSettings&) { return false; }
bool ClockState::LoadSkinData(WindowShape&) { return false; }
bool ClockState::LoadSkinImages(const char*, int) { return false; }

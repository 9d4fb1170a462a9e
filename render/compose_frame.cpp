#include <algorithm>
#include <cstddef>
#include <cstring>

#include "render/hand_angles.h"
#include "render/layer_drawing.h"
#include "render/clock_state.h"

namespace {

void CopyPlane(Plane& to, const Plane& from,
               std::size_t count) {
  count = std::min({count, to.size(), from.size()});
  if (count != 0) std::memcpy(to.data(), from.data(), count);
}

}  // namespace

void ClockState::ComposeFrame() { Compose(true); }

void ClockState::RedrawFrame() { Compose(false); }

void ClockState::Compose(bool advanceDial) {
  if (layers.empty()) return;
  // Positions in the skin file are body pixels; the pictures are at drawDpi_.
  // Clamped as the loader clamps them, for settings set by other means.
  const auto at = [this](int length) { return ScaleByDpi(ClampSkinCoordinate(length), drawDpi_); };

  // Body, byte for byte; its mask plays no part (the window shape hides it).
  const PlanarImage& body = layers[Body];
  if (body.width > 0 && body.height > 0) {
    const std::size_t count =
        static_cast<std::size_t>(body.width) * static_cast<std::size_t>(body.height);
    CopyPlane(frame.red, body.red, count);
    CopyPlane(frame.green, body.green, count);
    CopyPlane(frame.blue, body.blue, count);
  }

  // Dial: a running animation advances one frame per composition and ends on
  // the resting dial.
  const int dialFrames = settings.animation;
  if (dialFrames == 1) {
    DrawLayer(DialFrame0, at(settings.dialPosX), at(settings.dialPosY), 255);
  } else if (dialFrames >= 2) {
    int index = DialFrame0;
    if (animating) {
      if (advanceDial && ++animationFrame >= dialFrames) {
        animationFrame = 0;
        animating = false;
      }
      index = DialFrame0 + animationFrame;
    }
    DrawLayer(index, at(settings.dialPosX), at(settings.dialPosY), 255);
  }

  DrawLayer(DialNumerals, at(settings.dialNumPosX), at(settings.dialNumPosY), 255);

  const int hands[3] = {HourHand, MinuteHand, SecondHand};
  const float angles[3] = {HourHandAngle(hour, minute, second), MinuteHandAngle(minute),
                           SecondHandAngle(second)};
  for (int k = 0; k < 3; ++k) {
    if (static_cast<std::size_t>(hands[k]) >= layers.size()) break;
    const PlanarImage& hand = layers[static_cast<std::size_t>(hands[k])];
    DrawLayerRotated(hands[k], at(settings.axisPosX), at(settings.axisPosY), hand.pivotX, hand.pivotY, 255,
                     angles[k]);
  }

  DrawLayer(Cover, at(settings.coverPosX), at(settings.coverPosY), 255);
}

bool ClockState::DrawLayer(int index, int x, int y, std::uint8_t opacity) {
  if (index < 0 || static_cast<std::size_t>(index) >= layers.size()) return true;
  const PlanarImage& layer = layers[static_cast<std::size_t>(index)];
  DrawLayerRotated(index, x, y, layer.pivotX, layer.pivotY, opacity, 0.0f);
  return true;
}

// Any opacity but 0 draws the layer as 255 does; the clock only ever asks for
// 0 or 255.
bool ClockState::DrawLayerRotated(int index, int x, int y, int pivotX, int pivotY,
                                  std::uint8_t opacity, float angle) {
  if (opacity == 0) return true;
  // An index the table does not reach names no picture: nothing to draw.
  if (index < 0 || static_cast<std::size_t>(index) >= layers.size()) return true;
  const PlanarImage& layer = layers[static_cast<std::size_t>(index)];

  angle = ReduceAngle(angle);
  if (angle == 0) {
    DrawUnturned(frame, layer, x, y, pivotX, pivotY);
    return true;
  }
  if (!layer.hasMask) return false;  // turned drawing needs a mask
  if (angle == 90 || angle == 180 || angle == 270) {
    DrawQuarterTurn(frame, layer, x, y, pivotX, pivotY, static_cast<int>(angle) / 90);
    return true;
  }
  DrawFreeAngle(frame, layer, x, y, pivotX, pivotY, angle, settings.antiAliasing, spanTable);
  return true;
}

#include "render/clock_state.h"

#include <utility>

#include "platform/files.h"
#include "skin/layer_table.h"
#include "skin/skin_loader.h"

SkinPictures::~SkinPictures() = default;

ClockState::ClockState() : programDirectory(platform::ProgramDirectory()) {}

ClockState::~ClockState() = default;

bool ClockState::LoadSkinData(WindowShape& shape) {
  shape = WindowShape();
  // Loaded whole into scratch and committed together, so a skin that fails
  // half-way leaves the running clock as it was (the dial frame count never
  // exceeds the table composition draws from).
  SkinContent fresh;
  if (!LoadSkinContent(skinPath, skinDirectory, fresh)) return false;
  loaded_.clear();
  drawDpi_ = kBaseDpi;
  settings = std::move(fresh.settings);
  layers.swap(fresh.pictures.layers);
  frame = std::move(fresh.pictures.frame);
  hasLayers = true;
  hitMask.swap(fresh.hitMask);
  hitMaskWidth = fresh.hitMaskWidth;
  hitMaskHeight = fresh.hitMaskHeight;
  hasHitMask = true;
  outline_ = hitMask;
  outlineWidth_ = hitMaskWidth;
  outlineHeight_ = hitMaskHeight;
  shape = std::move(fresh.shape);
  bodyAlpha_.swap(fresh.pictures.bodyAlpha);
  frameAlpha = AlphaAsLoaded();
  SetPermillage(settings.startChance);
  // The old skin goes before the new one is scaled.
  fresh = SkinContent();
  // Copies that cannot be made leave the skin drawn as loaded.
  if (displayDpi != kBaseDpi) {
    ChangeDisplayDpi(displayDpi, shape);
  } else {
    OutlineForWindow(shape);
  }
  return true;
}

std::vector<std::uint8_t> ClockState::AlphaAsLoaded() const {
  // A body with its own alpha gives the window its soft edge; otherwise the
  // colour key's outline gives 0 or 255.
  if (!bodyAlpha_.empty() && bodyAlpha_.size() == outline_.size()) {
    return std::vector<std::uint8_t>(bodyAlpha_.begin(), bodyAlpha_.end());
  }
  return AlphaFromOutline(outline_);
}

void ClockState::OutlineForWindow(WindowShape& shape) const {
  if (softEdges && frameAlpha.size() == static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) {
    shape = ShapeFromAlpha(frameAlpha, frame.width, frame.height, 1);
  }
}

void ClockState::DrawAsLoaded() {
  if (drawDpi_ == kBaseDpi) return;
  layers.swap(loaded_);
  loaded_.clear();
  frame = PlanarImage();  // the scaled frame goes before the loaded one is made
  frame = layers[Body];
  std::vector<std::uint8_t>(outline_).swap(hitMask);  // the scaled mask's memory goes too
  hitMaskWidth = outlineWidth_;
  hitMaskHeight = outlineHeight_;
  std::vector<std::uint8_t>().swap(frameAlpha);
  frameAlpha = AlphaAsLoaded();
  drawDpi_ = kBaseDpi;
}

void ClockState::KeepOutline() {
  // A clock given its pictures and hit mask directly, not by a load, has its
  // hit mask as the outline.
  if (drawDpi_ == kBaseDpi && (outline_.size() != hitMask.size() || outlineWidth_ != hitMaskWidth ||
                               outlineHeight_ != hitMaskHeight)) {
    outline_ = hitMask;
    outlineWidth_ = hitMaskWidth;
    outlineHeight_ = hitMaskHeight;
  }
}

void ClockState::UseFullWindowOutline() {
  KeepOutline();
  hitMask.assign(hitMask.size(), 1);
}

bool ClockState::ChangeDisplayDpi(int dpi, WindowShape& shape) {
  displayDpi = ClampDpi(dpi);
  KeepOutline();
  bool ok = hasLayers;
  bool rescaled = false;
  if (hasLayers) {
    const int target = FittingDpi(drawDpi_ == kBaseDpi ? layers : loaded_, displayDpi);
    if (target == drawDpi_) {
      // The same scale: only the hit mask, which may have been widened to the
      // full window, comes from the outline again.
      std::vector<std::uint8_t> mask =
          target == kBaseDpi ? outline_
                             : ScaleCoverage(outline_, outlineWidth_, outlineHeight_, hitMaskWidth, hitMaskHeight);
      if (mask.size() == hitMask.size()) hitMask.swap(mask);
    } else {
      DrawAsLoaded();
    }
    if (target != drawDpi_) {
      ScaledSkin fresh;
      ok = ScaleSkin(layers, outline_, outlineWidth_, outlineHeight_, target, fresh);
      if (ok) {
        loaded_.swap(layers);  // the source of every later scale
        layers.swap(fresh.layers);
        frame = std::move(fresh.frame);
        hitMask.swap(fresh.hitMask);
        hitMaskWidth = fresh.hitMaskWidth;
        hitMaskHeight = fresh.hitMaskHeight;
        drawDpi_ = target;
        rescaled = true;
      }
    }
    if (rescaled) {
      std::vector<std::uint8_t>().swap(frameAlpha);  // the old scale's goes first
      frameAlpha = ScaleAlpha(AlphaAsLoaded(), outlineWidth_, outlineHeight_, hitMaskWidth, hitMaskHeight);
    }
  }
  shape = ShapeFromMask(hitMask, hitMaskWidth, hitMaskHeight);
  OutlineForWindow(shape);
  return ok;
}

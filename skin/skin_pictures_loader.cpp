// The skin's pictures into the layer table and the clock picture.
#include <cstdio>
#include <cstddef>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "skin/layer_table.h"
#include "skin/skin_loader.h"
#include "skin/skin_text.h"

namespace {

constexpr std::size_t kPictureBuffer = 260;
constexpr int kMaxAnimation = 100;

std::string ReadPictureKey(const char* section, const char* key, const char* path) {
  return platform::ReadProfileString(section, key, "non", path, kPictureBuffer);
}

bool Fail(const char* text) {
  platform::ShowMessage(nullptr, text, platform::kCaption, platform::MessageKind::Error);
  return false;
}

// A picture and its optional mask (numerals, cover, dial frames): pivot (0, 0).
bool LoadPlainLayer(PlanarImage& image, const std::string& directory, const char* section,
                    const std::string& graph, const char* maskKey, const char* path) {
  const std::string mask = ReadPictureKey(section, maskKey, path);
  const std::string file = skin::SkinFilePath(directory, graph);
  if (skin::IsNon(mask)) return image.LoadPicture(0, 0, file.c_str());
  return image.LoadPictureWithMask(0, 0, file.c_str(), skin::SkinFilePath(directory, mask).c_str());
}

bool LoadHandLayer(PlanarImage& image, const std::string& directory, const char* section,
                   const char* path) {
  const int axisX = static_cast<int>(platform::ReadProfileInt(section, "AxisX", 0, path));
  const int axisY = static_cast<int>(platform::ReadProfileInt(section, "AxisY", 0, path));
  const std::string graph = ReadPictureKey(section, "Graph", path);
  if (skin::IsNon(graph)) return true;  // no such hand: the entry stays empty
  const std::string mask = ReadPictureKey(section, "Mask", path);
  const std::string file = skin::SkinFilePath(directory, graph);
  if (skin::IsNon(mask)) return image.LoadHand(axisX, axisY, file.c_str());
  return image.LoadHandWithMask(axisX, axisY, file.c_str(),
                                skin::SkinFilePath(directory, mask).c_str());
}

}  // namespace

bool LoadSkinPictures(const char* path, const std::string& skinDirectory, int animation,
                      SkinPictureSet& out) {
  if (animation < 0 || animation > kMaxAnimation) return false;
  std::vector<PlanarImage> table(static_cast<std::size_t>(animation) + DialFrame0);
  PlanarImage body;

  const std::string graph = ReadPictureKey("Body", "Graph", path);
  if (skin::IsNon(graph)) return false;
  const std::string bodyFile = skin::SkinFilePath(skinDirectory, graph);
  if (!body.LoadPicture(0, 0, bodyFile.c_str())) return Fail("Body用CGの読み込みに失敗しました");
  table[Body] = body;  // the frame and entry 0 both start as the body

  static const struct {
    const char* section;
    LayerIndex index;
  } kHands[] = {{"SecondHand", SecondHand}, {"MinuteHand", MinuteHand}, {"HourHand", HourHand}};
  for (const auto& hand : kHands) {
    if (!LoadHandLayer(table[hand.index], skinDirectory, hand.section, path)) {
      return Fail("指針用CGの読み込みに失敗しました");
    }
  }

  const std::string numerals = ReadPictureKey("Dial", "Numchar", path);
  if (!skin::IsNon(numerals) &&
      !LoadPlainLayer(table[DialNumerals], skinDirectory, "Dial", numerals, "NumMask", path)) {
    return Fail("文字盤(非アニメーション)用CGの読み込みに失敗しました");
  }

  const std::string cover = ReadPictureKey("Cover", "Graph", path);
  if (!skin::IsNon(cover) &&
      !LoadPlainLayer(table[Cover], skinDirectory, "Cover", cover, "Mask", path)) {
    return Fail("カバー用CGの読み込みに失敗しました");
  }

  for (int k = 0; k < animation; ++k) {
    char graphKey[16];
    char maskKey[16];
    std::snprintf(graphKey, sizeof graphKey, "Graph%02d", k);
    std::snprintf(maskKey, sizeof maskKey, "Mask%02d", k);
    const std::string dial = ReadPictureKey("Dial", graphKey, path);
    if (skin::IsNon(dial)) continue;
    if (!LoadPlainLayer(table[DialFrame0 + k], skinDirectory, "Dial", dial, maskKey, path)) {
      return Fail("文字盤(アニメーション)用CGの読み込みに失敗しました");
    }
  }

  out.layers.swap(table);
  out.frame = std::move(body);
  return true;
}

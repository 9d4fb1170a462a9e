// The skin's pictures into the layer table and the clock picture.
#include <cstdio>
#include <cstddef>
#include <new>
#include <utility>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "skin/display_scale.h"
#include "skin/layer_table.h"
#include "skin/skin_loader.h"
#include "skin/skin_budget.h"
#include "skin/skin_text.h"

namespace {

constexpr std::size_t kPictureBuffer = 260;
constexpr int kMaxAnimation = 100;

constexpr const char* kBodyFailure = "Body用CGの読み込みに失敗しました";
constexpr const char* kHandFailure = "指針用CGの読み込みに失敗しました";
constexpr const char* kNumeralsFailure = "文字盤(非アニメーション)用CGの読み込みに失敗しました";
constexpr const char* kCoverFailure = "カバー用CGの読み込みに失敗しました";
constexpr const char* kDialFailure = "文字盤(アニメーション)用CGの読み込みに失敗しました";

std::string ReadPictureKey(const char* section, const char* key, const char* path) {
  return platform::ReadProfileString(section, key, "non", path, kPictureBuffer);
}

bool Fail(const char* text) {
  platform::ShowMessage(nullptr, text, platform::kCaption, platform::MessageKind::Error);
  return false;
}

// One picture of the skin as its settings name it: which table entry it fills,
// its files, how it is kept and the message when it fails.
struct PictureJob {
  std::size_t entry = 0;
  bool hand = false;
  int axisX = 0;
  int axisY = 0;
  std::string file;
  std::string mask;  // "non" for none
  const char* failure = nullptr;
};

// A picture and its optional mask (numerals, cover, dial frames): pivot (0, 0).
PictureJob PlainJob(std::size_t entry, const std::string& directory, const char* section,
                    const std::string& graph, const char* maskKey, const char* path,
                    const char* failure) {
  PictureJob job;
  job.entry = entry;
  job.file = skin::SkinFilePath(directory, graph);
  job.mask = ReadPictureKey(section, maskKey, path);
  if (!skin::IsNon(job.mask)) job.mask = skin::SkinFilePath(directory, job.mask);
  job.failure = failure;
  return job;
}

bool LoadJob(const PictureJob& job, PlanarImage& image) {
  const bool masked = !skin::IsNon(job.mask);
  if (job.hand) {
    if (!masked) return image.LoadHand(job.axisX, job.axisY, job.file.c_str());
    return image.LoadHandWithMask(job.axisX, job.axisY, job.file.c_str(), job.mask.c_str());
  }
  if (!masked) return image.LoadPicture(0, 0, job.file.c_str());
  return image.LoadPictureWithMask(0, 0, job.file.c_str(), job.mask.c_str());
}

// The planes of every picture, from their headers alone. Pictures whose
// headers cannot be read are left to the load, which fails on them.
const char* OverBudget(const std::vector<PictureJob>& jobs) {
  SkinBudget budget;
  // While a picture loads, its decoded pixels and the file's bytes sit beside
  // the planes loaded before it.
  std::uint64_t decodePeak = 0;
  const char* decodeFailure = nullptr;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const PictureJob& job = jobs[i];
    PictureProbe probe;
    std::uint64_t fileBytes = 0;
    if (!ProbePictureFile(job.file.c_str(), probe, fileBytes)) continue;
    const std::uint64_t area = static_cast<std::uint64_t>(probe.width) * static_cast<std::uint64_t>(probe.height);
    // A picture with its own alpha keeps it as a mask plane.
    const PictureForm form = job.hand                                      ? PictureForm::Hand
                             : skin::IsNon(job.mask) && !probe.mayHaveAlpha ? PictureForm::Plain
                                                                            : PictureForm::Masked;
    std::uint64_t bytes = PlaneBytes(probe.width, probe.height, form);
    if (i == 0) {
      // The body is also the composed frame, and has a byte a pixel each for
      // the hit mask, the outline as loaded and the window's alpha; its own
      // alpha is a plane of its own.
      bytes = PlaneBytes(probe.width, probe.height, PictureForm::Plain) * 2 + 3 * area +
              (probe.mayHaveAlpha ? area : 0);
    }
    if (!budget.Add(bytes)) return job.failure;
    if (probe.decodeBytes + fileBytes > decodePeak) {
      decodePeak = probe.decodeBytes + fileBytes;
      decodeFailure = job.failure;
    }
  }
  return budget.Add(decodePeak) ? nullptr : decodeFailure;
}

}  // namespace

bool LoadSkinPictures(const char* path, const std::string& skinDirectory, int animation,
                      SkinPictureSet& out) {
  if (animation < 0 || animation > kMaxAnimation) return false;
  const std::string graph = ReadPictureKey("Body", "Graph", path);
  if (skin::IsNon(graph)) return false;

  // Everything the settings name, in the order it loads; the body first.
  std::vector<PictureJob> jobs;
  PictureJob bodyJob;
  bodyJob.entry = Body;
  bodyJob.file = skin::SkinFilePath(skinDirectory, graph);
  bodyJob.mask = "non";
  bodyJob.failure = kBodyFailure;
  jobs.push_back(bodyJob);

  static const struct {
    const char* section;
    LayerIndex index;
  } kHands[] = {{"SecondHand", SecondHand}, {"MinuteHand", MinuteHand}, {"HourHand", HourHand}};
  for (const auto& hand : kHands) {
    PictureJob job;
    job.entry = hand.index;
    job.hand = true;
    job.axisX = ClampSkinCoordinate(static_cast<int>(platform::ReadProfileInt(hand.section, "AxisX", 0, path)));
    job.axisY = ClampSkinCoordinate(static_cast<int>(platform::ReadProfileInt(hand.section, "AxisY", 0, path)));
    const std::string file = ReadPictureKey(hand.section, "Graph", path);
    if (skin::IsNon(file)) continue;  // no such hand: the entry stays empty
    job.file = skin::SkinFilePath(skinDirectory, file);
    job.mask = ReadPictureKey(hand.section, "Mask", path);
    if (!skin::IsNon(job.mask)) job.mask = skin::SkinFilePath(skinDirectory, job.mask);
    job.failure = kHandFailure;
    jobs.push_back(job);
  }

  const std::string numerals = ReadPictureKey("Dial", "Numchar", path);
  if (!skin::IsNon(numerals)) {
    jobs.push_back(PlainJob(DialNumerals, skinDirectory, "Dial", numerals, "NumMask", path, kNumeralsFailure));
  }
  const std::string cover = ReadPictureKey("Cover", "Graph", path);
  if (!skin::IsNon(cover)) {
    jobs.push_back(PlainJob(Cover, skinDirectory, "Cover", cover, "Mask", path, kCoverFailure));
  }
  for (int k = 0; k < animation; ++k) {
    char graphKey[16];
    char maskKey[16];
    std::snprintf(graphKey, sizeof graphKey, "Graph%02d", k);
    std::snprintf(maskKey, sizeof maskKey, "Mask%02d", k);
    const std::string dial = ReadPictureKey("Dial", graphKey, path);
    if (skin::IsNon(dial)) continue;
    jobs.push_back(PlainJob(DialFrame0 + k, skinDirectory, "Dial", dial, maskKey, path, kDialFailure));
  }

  if (const char* failure = OverBudget(jobs)) return Fail(failure);

  // Running out of memory half-way is one more way for a picture to fail.
  std::vector<PlanarImage> fresh;
  PlanarImage freshBody;
  Plane freshBodyAlpha;
  const char* failure = kBodyFailure;
  try {
    fresh.resize(static_cast<std::size_t>(animation) + DialFrame0);
    for (const PictureJob& job : jobs) {
      failure = job.failure;
      PlanarImage& image = job.entry == Body ? freshBody : fresh[job.entry];
      if (!LoadJob(job, image)) return Fail(job.failure);
      if (job.entry == Body && freshBody.hasMask) {
        // The body's alpha shapes the window; the body itself is drawn whole.
        freshBodyAlpha.swap(freshBody.mask);
        freshBody.hasMask = false;
      }
      if (job.entry == Body) fresh[Body] = freshBody;  // the frame and entry 0 both start as the body
    }
  } catch (const std::bad_alloc&) {
    return Fail(failure);
  }
  out.layers.swap(fresh);
  out.frame = std::move(freshBody);
  out.bodyAlpha.swap(freshBodyAlpha);
  return true;
}

// horalune-frame: renders a skin at a given time through a colour effect into
// an image file, exactly as the clock window would show it (the whole body
// rectangle; the window shape is not applied), at any display scale.
//
// Exit codes: 0 written; 1 the skin does not load or the file cannot be
// written (the reason on standard error, in UTF-8); 2 bad arguments.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/config_file.h"
#include "day_digests.h"
#include "frame_options.h"
#include "picture_file.h"
#include "settings_report.h"
#include "platform/message_box.h"
#include "platform/program_arguments.h"
#include "platform/program_output.h"
#include "platform/text.h"
#include "render/colour_effects.h"
#include "render/clock_state.h"
#include "skin/window_shape.h"

namespace {

void PrintUtf8(const std::string& cp932Text) {
  platform::WriteProgramText(stderr, platform::Utf8FromCp932(cp932Text) + "\n");
}

int Usage(const std::string& error) {
  // ASCII and the arguments as given (UTF-8).
  platform::WriteProgramText(stderr, "horalune-frame: " + error + "\n" + kFrameUsage + "\n");
  return 2;
}

// A dial frame other than the resting one is shown by composing as if a run
// had reached the frame before it.
void SetDialFrame(ClockState& clock, int dialFrame) {
  clock.animating = dialFrame > 0;
  clock.animationFrame = dialFrame > 0 ? dialFrame - 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  FrameOptions options;
  std::string error;
  if (!ParseFrameOptions(platform::ProgramArguments(argc, argv), options, error)) return Usage(error);
  if (options.help) {
    std::printf("%s\n", kFrameUsage);
    return 0;
  }
  const bool png = EndsWithPng(options.outPath);

  // Messages of the skin loader go to standard error, never to a box.
  int messages = 0;
  platform::SetMessageSink([&messages](const platform::Message& message) {
    PrintUtf8(message.text);
    ++messages;
    return platform::MessageAnswer::Ok;
  });

  ClockState clock;
  clock.skinPath = platform::AbsolutePath(options.skinPath);
  SetSkinDirectory(clock, clock.skinPath);
  if (!IsSkinFile(clock.skinPath.c_str())) {
    PrintUtf8(kBadArgumentText);
    return 1;
  }
  if (options.settings) {
    return platform::WriteProgramText(stdout, SettingsReport(clock.skinPath, clock.skinDirectory)) ? 0 : 1;
  }
  clock.displayDpi = options.dpi;
  WindowShape shape;
  if (!clock.LoadSkinData(shape)) {
    // The loader has said why, except for a body that went missing.
    if (messages == 0) PrintUtf8(kBadArgumentText);
    return 1;
  }

  if (clock.DrawDpi() != options.dpi) {
    // The window draws such a skin at the largest scale that fits too.
    std::fprintf(stderr, "horalune-frame: the skin is too large for scale %.2f; drawn at %.2f\n",
                 options.dpi / 96.0, clock.DrawDpi() / 96.0);
  }
  const int dialFrames = clock.settings.animation;
  if (options.dialFrame > 0 && options.dialFrame >= dialFrames) {
    return Usage("--dial-frame " + std::to_string(options.dialFrame) + ": the skin has " +
                 std::to_string(dialFrames) + " dial frames");
  }
  if (options.hasAntiAliasing) clock.settings.antiAliasing = options.antiAliasing;
  const int effect = options.hasEffect ? options.effect : clock.settings.effect;
  if (options.dayDigests) {
    if (PrintDayDigests(clock, effect, stdout)) return std::fflush(stdout) == 0 ? 0 : 1;
    std::fprintf(stderr, "horalune-frame: the skin gave no picture\n");
    return 1;
  }
  if (options.hasTime) {
    const int hour = options.hour, minute = options.minute, second = options.second;
    clock.SetTimeSource([hour, minute, second](int& h, int& m, int& s) {
      h = hour;
      m = minute;
      s = second;
    });
  }
  clock.ReadClock();

  std::vector<std::uint32_t> rows;
  bool presented = false;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < options.repeat; ++i) {
    SetDialFrame(clock, options.dialFrame);
    clock.ComposeFrame();
    presented = RenderPresentation(clock.frame, effect, rows);
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  if (options.timed) {
    const double micro = std::chrono::duration<double, std::micro>(elapsed).count() / options.repeat;
    std::fprintf(stderr, "%d frames of %dx%d, %.1f us per frame (compose + present)\n", options.repeat,
                 clock.frame.width, clock.frame.height, micro);
  }
  if (!presented) {
    std::fprintf(stderr, "horalune-frame: the skin gave no picture\n");
    return 1;
  }
  if (!WritePresentedPicture(options.outPath, png, clock.frame.width, clock.frame.height, rows,
                             clock.frameAlpha)) {
    std::fprintf(stderr, "horalune-frame: cannot write %s\n", options.outPath.c_str());
    return 1;
  }
  return 0;
}

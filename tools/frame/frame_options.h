// The command line of horalune-frame.
#pragma once
#include <string>
#include <vector>

constexpr char kFrameUsage[] =
    "usage: horalune-frame SKIN [--time HH:MM:SS] [--effect N] [--antialiasing on|off] "
    "[--dial-frame K] [--repeat N] [--scale S] -o OUT\n"
    "       horalune-frame SKIN [--effect N] [--antialiasing on|off] [--scale S] --day-digests\n"
    "       horalune-frame SKIN --settings\n"
    "       S: the display scale, 1 to 5 in steps of 0.25 (1.25, 1.5, 1.75, 2, ...)";

struct FrameOptions {
  std::string skinPath;  // as given
  std::string outPath;   // as given; ".png" (any case) asks for PNG
  bool hasTime = false;
  int hour = 0, minute = 0, second = 0;
  bool hasEffect = false;
  int effect = 0;
  bool hasAntiAliasing = false;
  bool antiAliasing = false;
  int dialFrame = 0;  // 0: the resting dial
  int repeat = 1;
  bool timed = false;  // --repeat given: report the time per frame
  bool dayDigests = false;  // print a digest per second of the day instead of -o
  bool settings = false;    // print the skin's settings as the clock reads them
  int dpi = 96;             // --scale S as the monitor dpi, S * 96
  bool help = false;
};

// Parses the arguments after the program name. False with `error` set when
// they are not usable; later options of the same name win.
bool ParseFrameOptions(const std::vector<std::string>& args, FrameOptions& options, std::string& error);

bool EndsWithPng(const std::string& path);

// A display scale as Windows offers them, 1 to 5 in steps of 0.25, written as a
// decimal ("1.5", "2", "1.25", "2.00"); its dpi (S * 96) in `dpi`.
bool ParseScale(const std::string& text, int& dpi);

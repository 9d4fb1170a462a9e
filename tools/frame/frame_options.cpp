#include "frame_options.h"
#include "platform/ascii.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

// One or two digits, then the bound.
bool ParseField(const std::string& text, int maximum, int& value) {
  if (text.empty() || text.size() > 2) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  value = std::atoi(text.c_str());
  return value <= maximum;
}

// HH:MM:SS; a second of 60 is a leap second, which the clock can read.
bool ParseTime(const std::string& text, FrameOptions& options) {
  const std::size_t first = text.find(':');
  if (first == std::string::npos) return false;
  const std::size_t second = text.find(':', first + 1);
  if (second == std::string::npos) return false;
  return ParseField(text.substr(0, first), 23, options.hour) &&
         ParseField(text.substr(first + 1, second - first - 1), 59, options.minute) &&
         ParseField(text.substr(second + 1), 60, options.second);
}

}  // namespace

bool ParseScale(const std::string& text, int& dpi) {
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  if (whole.size() != 1 || fraction.size() > 2 || (point != std::string::npos && fraction.empty())) {
    return false;
  }
  int hundredths = 0;
  for (char c : whole + fraction + std::string(2 - fraction.size(), '0')) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    hundredths = hundredths * 10 + (c - '0');
  }
  if (hundredths < 100 || hundredths > 500 || hundredths % 25 != 0) return false;
  dpi = hundredths * 96 / 100;
  return true;
}

bool EndsWithPng(const std::string& path) {
  return ascii::EndsWithIgnoringCase(path, ".png");
}

bool ParseFrameOptions(const std::vector<std::string>& args, FrameOptions& options, std::string& error) {
  options = FrameOptions();
  bool haveSkin = false, haveOut = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      return true;
    }
    if (arg == "--day-digests") {
      options.dayDigests = true;
      continue;
    }
    if (arg == "--settings") {
      options.settings = true;
      continue;
    }
    const bool takesValue = arg == "-o" || arg == "--time" || arg == "--effect" ||
                            arg == "--antialiasing" || arg == "--dial-frame" || arg == "--repeat" ||
                            arg == "--scale";
    if (takesValue) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      bool ok = true;
      if (arg == "-o") {
        ok = !value.empty();
        options.outPath = value;
        haveOut = ok;
      } else if (arg == "--time") {
        ok = ParseTime(value, options);
        options.hasTime = ok;
      } else if (arg == "--effect") {
        ok = ParseInt(value, options.effect);
        options.hasEffect = ok;
      } else if (arg == "--antialiasing") {
        ok = value == "on" || value == "off";
        options.antiAliasing = value == "on";
        options.hasAntiAliasing = ok;
      } else if (arg == "--scale") {
        ok = ParseScale(value, options.dpi);
      } else if (arg == "--dial-frame") {
        ok = ParseInt(value, options.dialFrame) && options.dialFrame >= 0;
      } else {
        ok = ParseInt(value, options.repeat) && options.repeat >= 1;
        options.timed = ok;
      }
      if (!ok) {
        error = "bad value for " + arg + ": " + value;
        return false;
      }
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    }
    if (haveSkin) {
      error = "more than one skin file given";
      return false;
    }
    options.skinPath = arg;
    haveSkin = !arg.empty();
  }
  if (!haveSkin) {
    error = "no skin file given";
    return false;
  }
  if (options.dayDigests && (haveOut || options.hasTime || options.dialFrame != 0 || options.timed)) {
    error = "--day-digests takes no -o, --time, --dial-frame or --repeat";
    return false;
  }
  if (options.settings && (haveOut || options.dayDigests || options.hasTime || options.hasEffect ||
                           options.hasAntiAliasing || options.dialFrame != 0 || options.timed)) {
    error = "--settings takes no other option";
    return false;
  }
  if (!haveOut && !options.dayDigests && !options.settings) {
    error = "no output file given (-o OUT)";
    return false;
  }
  return true;
}

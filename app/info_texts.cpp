#include "app/info_texts.h"

#include "platform/text.h"
#include "skin/skin_settings.h"

namespace {

constexpr const char* kProgramName = "ほらるね";
constexpr const char* kVersion = "0.21";
constexpr const char* kCopyright = "Copyright (C) 2026 Horalune developers";
constexpr const char* kContact = "horalune@example.org";

}  // namespace

std::string WorkIntroductionText(const SkinSettings& settings) {
  const std::string text = settings.title + settings.authorText + settings.homepageText +
                           settings.emailText + settings.commentText;
  return platform::CutAtCharBoundary(text, kDialogTextLimit);
}

std::string VersionText() {
  // "-  name  Version v  -", two blank lines, the copyright line, two blank
  // lines, the contact address and an empty last line.
  const std::string text = std::string("-  ") + kProgramName + "  Version " + kVersion +
                           "  -\n\n\n " + kCopyright + "\n\n\n" + kContact + "\n";
  return platform::CutAtCharBoundary(text, kDialogTextLimit);
}

// Arbitrary bytes as a profile file: lookups and every kind of edit must stay
// inside the text, and an edit must leave the value it wrote readable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  namespace ini = platform::ini;
  std::string value;
  char buffer[8];
  for (const ini::Charset charset : {ini::Charset::Cp932, ini::Charset::Utf8}) {
    for (const char* section : {"Initialize", "Alarm", "", "a"}) {
      for (const char* key : {"Title", "Switch00", "k", "[x"}) {
        if (ini::FindValue(input, section, key, value, charset)) {
          ini::CopyValue(value, buffer, sizeof buffer);
          ini::ParseProfileInt(value);
        }
      }
      ini::KeyNames(input, section, charset);
    }
    std::string text = input;
    ini::SetValue(text, "Alarm", "Time00", "Mon073000", "\r\n", charset);
    if (!ini::FindValue(text, "Alarm", "Time00", value, charset) || value != "Mon073000") {
      std::abort();
    }
    ini::DeleteKey(text, "Alarm", "Time00", charset);
    ini::DeleteSection(text, "Initialize", charset);
    ini::DeleteSection(text, "", charset);
  }
  return 0;
}

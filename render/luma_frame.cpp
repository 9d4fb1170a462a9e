#include "render/luma_frame.h"

TablePlanes SplitTable(const std::uint32_t* table) {
  TablePlanes planes{};
  for (int i = 0; i < 256; ++i) {
    planes.red[i] = static_cast<std::uint8_t>(table[i] >> 16);
    planes.green[i] = static_cast<std::uint8_t>(table[i] >> 8);
    planes.blue[i] = static_cast<std::uint8_t>(table[i]);
  }
  return planes;
}

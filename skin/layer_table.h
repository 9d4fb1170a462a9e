#pragma once

// Entries of the layer table: Animation + 6 PlanarImages.
enum LayerIndex {
  Body = 0,
  SecondHand = 1,
  MinuteHand = 2,
  HourHand = 3,
  DialNumerals = 4,
  Cover = 5,
  DialFrame0 = 6,
};

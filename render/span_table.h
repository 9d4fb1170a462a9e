// Working buffer of turned-layer drawing: for every frame row, the span of
// columns a turned layer covers.
#pragma once
#include <vector>

struct SpanTable {
  std::vector<int> left;
  std::vector<int> right;
};

#pragma once

#include <cstdint>
#include <vector>

class QListWidget;

namespace brelker {

// Replaces the lines of the size list with one line per piece size. A plan can
// hold 32736 pieces: the lines go in as one batch, without a repaint or layout
// pass per line, so the list fills without a visible delay.
void FillSizeList(QListWidget& list, const std::vector<std::int64_t>& sizes);

}  // namespace brelker

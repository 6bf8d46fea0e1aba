#include "qt/SizeListFill.h"

#include <QListWidget>
#include <QStringList>

namespace brelker {

void FillSizeList(QListWidget& list, const std::vector<std::int64_t>& sizes) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(sizes.size()));
    for (const std::int64_t size : sizes) {
        lines.append(QString::number(size));
    }
    // Every line has the same height: the view need not measure 32736 of them.
    list.setUniformItemSizes(true);
    list.setUpdatesEnabled(false);
    list.clear();
    list.addItems(lines);
    list.setUpdatesEnabled(true);
}

}  // namespace brelker

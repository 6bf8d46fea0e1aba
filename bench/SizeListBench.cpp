// Fills a shown list widget with the 32736 lines of the largest plan, line by
// line and as one batch, and prints the milliseconds each took until painted.
//
//   size_list_bench        (runs on the offscreen platform unless told otherwise)

#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QListWidget>

#include "qt/SizeListFill.h"

namespace {

template <typename Fill>
double Milliseconds(QListWidget& list, Fill fill) {
    list.clear();
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    fill();
    list.repaint();
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::vector<std::int64_t> sizes(32736, 1);

    QListWidget oneByOne;
    oneByOne.resize(200, 300);
    oneByOne.show();
    const double slow = Milliseconds(oneByOne, [&] {
        for (const std::int64_t size : sizes) {
            oneByOne.addItem(QString::number(size));
        }
    });

    QListWidget batch;
    batch.resize(200, 300);
    batch.show();
    const double fast = Milliseconds(batch, [&] { brelker::FillSizeList(batch, sizes); });

    std::printf("32736 lines: one by one %.1f ms, FillSizeList %.1f ms\n", slow, fast);
    return 0;
}

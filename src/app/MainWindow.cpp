#include "MainWindow.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TMain"));
    setWindowTitle(QStringLiteral("The File Brelker"));
    resize(560, 420);
}

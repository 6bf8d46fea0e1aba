#include <QApplication>

#include "MainWindow.h"

int main(int argc, char* argv[]) {
    // QApplication removes only the "-" options it knows; the program's own options start with
    // "/" and reach us untouched.
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("The File Brelker"));

    MainWindow window;
    window.show();
    app.exec();
    return 0;
}

#include <exception>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>

#include "app/Icons.h"
#include "app/MainWindow.h"
#include "app/QtDialogs.h"
#include "platform/PosixPlatform.h"
#include "settings/QtSettingsStore.h"

namespace {

// An exception that escapes a handler is shown, and the program goes on.
class BrelkerApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowException(error);
        }
        return false;
    }

    static void ShowException(const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("The File Brelker"),
                              QString::fromUtf8(error.what()));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    // QApplication takes only the "-" options it knows; the program's own start
    // with "/" and reach the command line untouched.
    BrelkerApplication app(argc, argv);
    // No application display name: on X11 Qt would append it to every window
    // title, and the titles come from the text table in the chosen language.
    // The desktop file name ties the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvena.brelker"));
    QApplication::setWindowIcon(brelker::ApplicationIcon());

    brelker::PosixPlatform platform;
    const brelker::QtSettingsStore store;
    brelker::QtDialogs dialogs(nullptr);
    brelker::MainWindow window(platform, store, dialogs);
    dialogs.SetParent(&window);
    std::vector<std::string> arguments;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        arguments.push_back(given[i].toStdString());
    }
    try {
        window.FormCreate(arguments);
    } catch (const std::exception& error) {
        // Start-up goes on as far as it came.
        BrelkerApplication::ShowException(error);
    }
    if (window.QuitRequested()) {
        return 0;
    }
    if (!window.isVisible()) {
        window.show();
    }
    QApplication::exec();
    return 0;
}

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>

#include "console/ConsoleArguments.h"
#include "console/ConsoleRun.h"
#include "model/CommandLine.h"
#include "model/HeadlessView.h"
#include "model/UnattendedDialogs.h"
#include "platform/DisplayProbe.h"
#include "platform/PosixPlatform.h"
#include "qt/Icons.h"
#include "qt/MainWindow.h"
#include "qt/QtDialogs.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

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
        if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
            std::cerr << "brelker: " << error.what() << '\n';
            return;
        }
        QMessageBox::critical(nullptr, QString::fromUtf8(brelker::kProgramName),
                              QString::fromUtf8(error.what()));
    }
};

// Unattended, Qt's own chatter (a plugin's warnings about what it cannot do on
// an invisible window) is nobody's business: only the program's messages and
// Qt's failures reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << message.toLocal8Bit().constData() << '\n';
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    brelker::OccupyStandardDescriptors();
    // File names are bytes on Linux: the arguments are taken as the system gave
    // them, never through a text conversion that could change a name.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    brelker::PosixPlatform platform;
    brelker::QtSettingsStore store;

    const brelker::StartKind start = brelker::ChooseStart(arguments);
    if (start == brelker::StartKind::CommandLine) {
        // QtCore only, for the settings store: no display, no platform plugin.
        QCoreApplication app(argc, argv);
        return brelker::RunConsoleCommandLine(arguments, platform, store, std::cout, std::cerr,
                                              ::isatty(STDERR_FILENO) == 1
                                                  ? brelker::ProgressLine::Escapes
                                                  : brelker::ProgressLine::None);
    }

    if (!brelker::DisplayAnswers()) {
        QCoreApplication app(argc, argv);
        // The window's switches still run, with no window at all.
        if (start == brelker::StartKind::Switches) {
            return brelker::RunSwitchesWithoutWindow(arguments, platform, store, std::cerr);
        }
        brelker::SetCurrentLanguage(store.Read(brelker::settings::Language));
        brelker::FillTextTable(store.Read(brelker::settings::AddedFileType));
        std::cerr << "brelker: " << brelker::Text(brelker::slot::kNoDisplay) << '\n';
        return 1;
    }
    if (brelker::IsUnattended(brelker::ParseCommandLine(arguments))) {
        qInstallMessageHandler(QuietQtMessages);
    }

    // QApplication takes only the "-" options it knows; the program's own start
    // with "/" and reach the command line untouched.
    BrelkerApplication app(argc, argv);
    arguments.assign(argv + 1, argv + argc);
    // No application display name: on X11 Qt would append it to every window
    // title, and the titles come from the text table in the chosen language.
    // The desktop file name ties the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvena.brelker"));
    QApplication::setWindowIcon(brelker::ApplicationIcon());

    brelker::QtDialogs interactive(platform, nullptr);
    const bool unattended = brelker::IsUnattended(brelker::ParseCommandLine(arguments));
    brelker::UnattendedDialogs quiet(std::cerr, &interactive);
    brelker::DialogService& dialogs =
        unattended ? static_cast<brelker::DialogService&>(quiet) : interactive;
    brelker::MainWindow window(platform, store, dialogs);
    interactive.SetParent(&window);
    try {
        window.FormCreate(arguments);
    } catch (const std::exception& error) {
        // Start-up goes on as far as it came.
        BrelkerApplication::ShowException(error);
    }
    if (window.QuitRequested()) {
        return window.ExitCode();
    }
    if (!window.isVisible()) {
        window.show();
    }
    QApplication::exec();
    // Switches whose work failed end in failure however the window is closed.
    return window.ExitCode();
}

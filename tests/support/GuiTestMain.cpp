#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTemporaryDir>

#include "TestEnvironment.h"
#include "text/TextTable.h"

namespace {

// Qt's warnings are faults of the code under test, except the offscreen
// platform's notes that it has no window manager to pass size hints or a
// raise on to.
void FailOnQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message == QStringLiteral("This plugin does not support propagateSizeHints()") ||
        message == QStringLiteral("This plugin does not support raise()")) {
        return;
    }
    ADD_FAILURE() << "Qt: " << message.toStdString();
}

// Every test starts in English, whatever the one before it chose.
class EnglishAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        brelker::SetCurrentLanguage(brelker::kEnglish);
    }
};

}  // namespace

// Shared main() for GUI tests: widgets need one QApplication for the whole run, created before
// any test, on the offscreen platform, so no window ever appears on the developer's screen.
int main(int argc, char* argv[]) {
    UseTestEnvironment();
    // Without a runtime folder Qt warns at start-up; a private one stands in.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(FailOnQtWarnings);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EnglishAfterEachTest);
    return RUN_ALL_TESTS();
}

#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "TempFolder.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"

namespace brelker {

inline constexpr int kTimeLimitMs = 60'000;

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"config/Tolvena", "work", "pieces", "elsewhere"}) {
            std::filesystem::create_directories(folder / name);
        }
        settings.WriteStringSetting(subkey::Path, settings::JoinPath, folder / "pieces");
    }

    // Starts the program in the work folder; false when it did not end in time.
    bool Run(const QStringList& arguments) {
        return RunProgram(QStringLiteral(BRELKER_BINARY), arguments);
    }
    // Runs a shell script with the program's path as $0, for names that are not text.
    bool RunShell(const std::string& script) {
        return RunProgram(QStringLiteral("/bin/sh"),
                          {QStringLiteral("-c"), Q(script), QStringLiteral(BRELKER_BINARY)});
    }
    bool RunProgram(const QString& program, const QStringList& arguments) {
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(QString::fromStdString(folder / "work"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all, as on a server.
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            environment.remove(QLatin1String(name));
        }
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString(folder / "config"));
        for (const auto& [name, value] : extraEnvironment) {
            environment.insert(name, value);
        }
        process.setProcessEnvironment(environment);
        process.start();
        return process.waitForStarted() && process.waitForFinished(kTimeLimitMs);
    }
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    static QString Q(const std::string& text) { return QString::fromStdString(text); }

    TempFolder folder;
    // The store the program itself uses, under the temp config folder.
    QtSettingsStore settings{folder / "config/Tolvena/The File Brelker.conf"};
    QProcess process;
    // Variables set for the program on top of a server's environment.
    std::vector<std::pair<QString, QString>> extraEnvironment;
};

}  // namespace brelker

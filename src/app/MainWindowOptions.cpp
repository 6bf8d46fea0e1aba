// The Options, Pause, Memory and Language menus, and ending the program.

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QToolButton>

#include "app/MainWindow.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

// A toggle takes the opposite of its check mark and is stored at once.
void Toggle(QAction* item, bool& field, const SettingsStore& store, const BoolSetting& setting) {
    field = !item->isChecked();
    item->setChecked(field);
    store.Write(setting, field);
}

}  // namespace

void MainWindow::RemoveSmallClick() {
    if (!Busy()) {
        Toggle(RemoveSmall, options_.RemoveSmallFiles, store_, settings::RemoveSmallFiles);
    }
}

void MainWindow::RemoveBigClick() {
    if (!Busy()) {
        Toggle(RemoveBig, options_.RemoveBigFile, store_, settings::RemoveBigFile);
    }
}

void MainWindow::RemoveSelfClick() {
    if (!Busy()) {
        Toggle(RemoveSelf, options_.RemoveSelfUnit, store_, settings::RemoveSelfUnit);
    }
}

void MainWindow::EraseFloppiesClick() {
    if (!Busy()) {
        Toggle(EraseFloppies, options_.EraseFloppyDisks, store_, settings::EraseFloppyDisks);
    }
}

void MainWindow::WriteChecksumsClick() {
    if (!Busy()) {
        Toggle(WriteChecksums, options_.WriteChecksumFile, store_, settings::WriteChecksumFile);
    }
}

void MainWindow::SetPauseMode(brelker::PauseMode mode) {
    const std::array<QAction*, 3> items = {ChangeAlways, ChangeSometimes, ChangeNever};
    const auto index = static_cast<std::size_t>(mode);
    if (Busy() || items[index]->isChecked()) {
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setChecked(i == index);
    }
    options_.PauseMode = mode;
    store_.Write(settings::ChangeDisk, static_cast<int>(options_.PauseMode));  // SavePauseMode
}

void MainWindow::ChangeAlwaysClick() { SetPauseMode(PauseMode::Always); }

void MainWindow::ChangeSometimesClick() { SetPauseMode(PauseMode::FloppiesOnly); }

void MainWindow::ChangeNeverClick() { SetPauseMode(PauseMode::Never); }

void MainWindow::ExitClick() {
    mainTop = y();
    mainLeft = x();
    store_.Write(settings::MainTop, mainTop);
    store_.Write(settings::MainLeft, mainLeft);
    quitRequested_ = true;
    // Queued: a quit asked for before the event loop runs (an unattended split
    // with /exit) or from inside a running transfer still ends the program,
    // once the work has returned.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void MainWindow::ClearRegistryClick() {
    if (Busy()) {
        return;
    }
    // Everything goes, the position too: the next start uses every default.
    store_.ResetSettings();
    quitRequested_ = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The work must never go on invisibly, with no window to stop it: closing
    // asks the Stop question, and only a stopped run lets the window close.
    if (Busy()) {
        job_.StopRequested = true;
        closeAfterWork_ = true;
        event->ignore();
        return;
    }
    if (!quitRequested_) {
        ExitClick();
    }
    event->accept();
}

}  // namespace brelker

// What the engine and series discovery reach of the main window: progress, the
// size list, status notes, the busy state, questions and the disk count.
// ShowMessage and BeginBusy serve the plan and the restore script as well.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>

#include "app/MainWindow.h"
#include "app/ScreenPlacement.h"
#include "engine/DiskCountDialog.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {

void MainWindow::SetProgressRange(int minimum, int maximum) { PBar->setRange(minimum, maximum); }

void MainWindow::SetProgress(int position) { PBar->setValue(position); }

void MainWindow::ClearSizeList() { SmallerSizesLB->clear(); }

void MainWindow::AddSizeLine(const std::string& line) { SmallerSizesLB->addItem(Q(line)); }

void MainWindow::SelectSizeLine(int index) { SmallerSizesLB->setCurrentRow(index); }

void MainWindow::RepaintSizeList() { SmallerSizesLB->repaint(); }

void MainWindow::ShowNote(const std::string& text) { StatusPanel0->setText(Q(text)); }

void MainWindow::RepaintWindow() { repaint(); }

void MainWindow::ProcessMessages() { QCoreApplication::processEvents(); }

void MainWindow::ShowBusyCursor() { SetScreenCursor(Qt::WaitCursor); }

bool MainWindow::AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) {
    return dialogs_.Message(text, caption, icon, MessageButtons::YesNo);
}

void MainWindow::ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    dialogs_.Message(text, caption, icon, MessageButtons::Ok);
}

int MainWindow::AskDiskCount() {
    if (!diskDialog_) {
        diskDialog_ = std::make_unique<DiskCountDialog>(this);
        CentreOnScreenWhenShown(*diskDialog_);
    }
    dialogs_.RunDialog(*diskDialog_);
    return diskDialog_->DiskCount();
}

void MainWindow::BeginBusy(const std::string& text) {
    SetScreenCursor(Qt::WaitCursor);
    StatusPanel1->setText(Q(text));
    statusBar()->repaint();
}

void MainWindow::ReportMissingFile(const std::string& path) {
    ReportFailure(Text(slot::kFileMissing) + path);
}

void MainWindow::ReportUnreadableFile(const std::string& path) {
    ReportFailure(Text(slot::kFileUnreadable) + path);
}

}  // namespace brelker

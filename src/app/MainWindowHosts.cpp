// What the engine and series discovery reach of the main window: progress, the
// size list, status notes, the busy state, and their questions worded here.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

#include "app/MainWindow.h"
#include "console/ResultText.h"
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

void MainWindow::ShowNote(const std::string& path) { StatusPanel0->setText(Q(path)); }

void MainWindow::NoteErasing() { ShowNote(Text(slot::kErasingFloppy)); }

void MainWindow::NoteErased(const std::string& path) { ShowNote("Delete " + path); }

void MainWindow::RepaintWindow() { repaint(); }

void MainWindow::ProcessMessages() { QCoreApplication::processEvents(); }

void MainWindow::ShowBusyCursor() { SetScreenCursor(Qt::WaitCursor); }

bool MainWindow::AskToContinue() {
    return dialogs_.Message(Text(slot::kContinueQuestion), Text(slot::kContinueOrBreak),
                            MessageIcon::Question, MessageButtons::YesNo);
}

bool MainWindow::AskForDisk(int piece, DiskPrompt why) {
    return dialogs_.Message(DiskQuestionText(piece, why), Text(slot::kChangeDisk),
                            why == DiskPrompt::Plain ? MessageIcon::Question : MessageIcon::Warning,
                            MessageButtons::YesNo);
}

void MainWindow::ReportUndeletable(const std::string& path) {
    ShowMessage(Text(slot::kCannotDeleteFile) + path, Text(slot::kDelete), MessageIcon::Warning);
}

void MainWindow::BeginCounting() { BeginBusy(Text(slot::kCountingFiles)); }

int MainWindow::AskDiskCount() {
    if (dialogs_.Run(diskCount_)) {
        diskCount_.Confirm();
    }
    return diskCount_.DiskCount();
}

void MainWindow::ReportMissingFile(const std::string& path) {
    ReportFailure(Text(slot::kFileMissing) + path);
}

void MainWindow::ReportUnusableFile(const std::string& path) {
    switch (platform_.KindOf(path, true)) {
        case FileKind::Folder:
            ReportFailure(Text(slot::kIsAFolder) + path);
            break;
        case FileKind::Special:
            ReportFailure(Text(slot::kNotARegularFile) + path);
            break;
        default:
            ReportMissingFile(path);
            break;
    }
}

void MainWindow::ReportUnreadableFile(const std::string& path) {
    ReportFailure(Text(slot::kFileUnreadable) + path);
}

void MainWindow::ReportUnusableChecksumFile(const ChecksumProblem& problem) {
    ReportFailure(ChecksumProblemText(problem));
}

}  // namespace brelker

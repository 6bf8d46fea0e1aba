// What the engine, the plan and the restore script reach of the main window.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/MainWindow.h"
#include "app/ScreenPlacement.h"
#include "engine/DiskCountDialog.h"
#include "plan/BaseSizeDialog.h"
#include "plan/SizeListFill.h"
#include "text/Hints.h"
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

void MainWindow::ShowSizeLines(const std::vector<std::int64_t>& sizes) {
    FillSizeList(*SmallerSizesLB, sizes);
}

void MainWindow::ClearSizeLines() { SmallerSizesLB->clear(); }

int MainWindow::SelectedSizeLine() const { return SmallerSizesLB->currentRow(); }

std::string MainWindow::SizeLineText(int index) const {
    const QListWidgetItem* item = SmallerSizesLB->item(index);
    return item == nullptr ? std::string() : item->text().toStdString();
}

void MainWindow::SetChangeItemCaption(const std::string& text) { ChangeItem->setText(Q(text)); }

void MainWindow::SetNewSizeText(const std::string& text) { txtNewSize->setText(Q(text)); }

std::string MainWindow::NewSizeText() const { return txtNewSize->text().toStdString(); }

void MainWindow::SetCountLabel(const std::string& text) { lblNrFiles->setText(Q(text)); }

void MainWindow::SetSizeGroupHint(const std::string& text) {
    ActualSizeGB->setToolTip(Q(ShortHint(text)));
    ActualSizeGB->setStatusTip(Q(LongHint(text)));
}

void MainWindow::SetBigFileSizeCaption(const std::string& text) { BigFileSize->setText(Q(text)); }

std::string MainWindow::BigFileNameCaption() const { return BigFileName->text().toStdString(); }

void MainWindow::SelectUnitButton(SizeUnit unit) {
    // A stored unit outside the five leaves every button unchecked.
    for (std::size_t i = 0; i < BigFileRB.size(); ++i) {
        BigFileRB[i]->setAutoExclusive(false);
        BigFileRB[i]->setChecked(static_cast<int>(i) + 1 == static_cast<int>(unit));
        BigFileRB[i]->setAutoExclusive(true);
    }
}

void MainWindow::ShowBaseSizes(const std::vector<std::string>& texts, int selected) {
    CBBaseSize->clear();
    for (const std::string& text : texts) {
        CBBaseSize->addItem(Q(text));
    }
    CBBaseSize->setCurrentIndex(selected >= 0 && selected < CBBaseSize->count() ? selected : -1);
}

void MainWindow::SetBaseSizeControlsEnabled(bool enabled) {
    CBBaseSize->setEnabled(enabled);
    ApplyBaseSize->setEnabled(enabled);
}

void MainWindow::SetStatus(const std::string& text) { StatusPanel1->setText(Q(text)); }

void MainWindow::RunBaseSizeEditor() {
    BaseSizeDialog editor(store_, this);
    CentreOnScreenWhenShown(editor);
    dialogs_.RunDialog(editor);
}

std::string MainWindow::DecimalSeparator() const { return QLocale().decimalPoint().toStdString(); }

void MainWindow::SetSelfUnitEnabled(bool enabled) {
    CreateUnbrelkerFile->setEnabled(enabled);
    SelfUnitBtn->setEnabled(enabled);
}

std::optional<std::string> MainWindow::AskSavePath(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& folder,
                                                   const std::string& proposedName) {
    return dialogs_.SaveFile(title, filter, folder, proposedName);
}

}  // namespace brelker

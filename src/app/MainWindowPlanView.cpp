// What the piece-size plan reaches of the main window: the size list and its
// editor, the captions of both groups, the base sizes, the control groups and
// status panel 1, and the words for what the plan decided.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/MainWindow.h"
#include "plan/BaseSizeModel.h"
#include "plan/SizeListFill.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {

void MainWindow::EnableGroup(ControlGroup group, bool on) {
    switch (group) {
        case ControlGroup::SplitGroup:
            DoSplit->setEnabled(on);
            DoSplitBtn->setEnabled(on);
            SmallerSizesLB->setEnabled(on);
            break;
        case ControlGroup::SmallFilesPlaceGroup:
            FindPlaceToSmallFiles->setEnabled(on);
            FindPlaceToSmallFilesBtn->setEnabled(on);
            break;
        case ControlGroup::JoinGroup:
            DoJoin->setEnabled(on);
            DoJoinBtn->setEnabled(on);
            // A join has no use for the base size controls.
            rbSizeBase->setEnabled(!on);
            rbSizeFree->setEnabled(!on);
            ApplyBaseSize->setEnabled(!on);
            CBBaseSize->setEnabled(!on && !plan_.UseFreeSpace);
            break;
        case ControlGroup::BigFilePlaceGroup:
            FindPlaceToBigFile->setEnabled(on);
            FindPlaceToBigFileBtn->setEnabled(on);
            break;
        case ControlGroup::BaseSizeBoxGroup:
            CBBaseSize->setEnabled(on);
            break;
        case ControlGroup::SizeEditGroup:
            ApplyNewSize->setEnabled(on);
            txtNewSize->setEnabled(on);
            ChangeItem->setEnabled(on);
            break;
        case ControlGroup::SizeListGroup:
            SmallerSizesLB->setEnabled(on);
            break;
    }
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

void MainWindow::SetNewSizeText(const std::string& text) { txtNewSize->setText(Q(text)); }

std::string MainWindow::NewSizeText() const { return txtNewSize->text().toStdString(); }

void MainWindow::SetBigFileSizeCaption(const std::string& text) { BigFileSize->setText(Q(text)); }

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

void MainWindow::RunBaseSizeEditor() {
    BaseSizeModel editor(store_);
    dialogs_.Run(editor);
}

std::string MainWindow::DecimalSeparator() const { return platform_.DecimalSeparator(); }

void MainWindow::ShowEditedPiece(int piece) {
    ChangeItem->setText(
        Q(Text(slot::kFileNumber) + (piece > 0 ? std::to_string(piece) : std::string())));
}

void MainWindow::ShowPieceCount(int count) {
    if (count > 0) {
        ShowFileCount(count);
        return;
    }
    lblNrFiles->clear();
    const bool unknown = count == kUnknownPieceCount && !BigFileName->text().isEmpty();
    SetSizeGroupHint(unknown ? Text(slot::kPieceIndexRange) + "?" : std::string());
}

namespace {

int PlanStatusSlot(PlanStatus status) {
    switch (status) {
        case PlanStatus::ReadyToSplit:
            return slot::kReadyToSplit;
        case PlanStatus::ChooseBaseSize:
            return slot::kChooseBaseSize;
        case PlanStatus::TooManyPieces:
            return slot::kTooManyFiles;
        case PlanStatus::None:
            break;
    }
    return -1;  // outside the table: the empty text
}

}  // namespace

void MainWindow::ShowPlanStatus(PlanStatus status) { SetStatus(Text(PlanStatusSlot(status))); }

void MainWindow::BeginPlanning() { BeginBusy(Text(slot::kWorking)); }

void MainWindow::EndPlanning(PlanStatus status) { EndBusy(Text(PlanStatusSlot(status))); }

void MainWindow::ShowPlanOutcome(PlanOutcome outcome) {
    switch (outcome) {
        case PlanOutcome::Replanned:
            ShowMessage(Text(slot::kBaseSizeAppliedInstead), Text(slot::kTooBigNewSize),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::TooManyPieces:
            ShowMessage(Text(slot::kChooseBiggerBaseSize), Text(slot::kTooManyFiles),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::NewSizeIgnored:
            ShowMessage(Text(slot::kNewSizeIgnored), Text(slot::kNewSizeUnusable),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::Planned:
            break;
    }
}

}  // namespace brelker

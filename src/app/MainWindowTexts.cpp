// The main window's captions and hints in the current language, and the switch
// between languages.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "settings/Settings.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
void MainWindow::ApplyTexts() {
    File1->setTitle(SlotText(slot::kFileMenu));
    ChooseSplitAFile->setText(SlotText(slot::kChooseSplitFile));
    SetHint(ChooseSplitAFile, slot::kChooseSplitFileHint);
    DoSplit->setText(SlotText(slot::kDoSplit));
    SetHint(DoSplit, slot::kDoSplitHint);
    JoinFiles->setText(SlotText(slot::kChooseJoinFile));
    SetHint(JoinFiles, slot::kChooseJoinFileHint);
    DoJoin->setText(SlotText(slot::kDoJoin));
    SetHint(DoJoin, slot::kDoJoinHint);
    Exit->setText(SlotText(slot::kExit));
    SetHint(Exit, slot::kExitHint);
    SetHint(PBar, slot::kProgressHint);
    Language1->setTitle(SlotText(slot::kLanguageMenu));
    LanguageEnglish->setText(SlotText(slot::kEnglishItem));
    LanguageSwedish->setText(SlotText(slot::kSwedishItem));
    LanguageGerman->setText(SlotText(slot::kGermanItem));
    Options_->setTitle(SlotText(slot::kOptionsMenu));
    RemoveSmall->setText(SlotText(slot::kRemoveSmallFiles));
    RemoveBig->setText(SlotText(slot::kRemoveBigFile));
    RemoveSelf->setText(SlotText(slot::kRemoveSelfUnit));
    EraseFloppies->setText(SlotText(slot::kEraseFloppies));
    Extract->setText(SlotText(slot::kExtractOrAppend) + QStringLiteral("..."));
    WriteChecksums->setText(SlotText(slot::kWriteChecksumFile));
    SetHint(WriteChecksums, slot::kWriteChecksumFileHint);
    Verify->setText(SlotText(slot::kVerifySeries) + QStringLiteral("..."));
    SetHint(Verify, slot::kVerifySeriesHint);
    SetHint(VerifyBtn, slot::kVerifySeriesHint);
    for (QAction* item : {RemoveSmall, RemoveBig, RemoveSelf, EraseFloppies}) {
        SetHint(item, slot::kRemoveFilesHint);
    }
    Memory1->setTitle(SlotText(slot::kMemoryMenu));
    MemoryUsage->setText(QStringLiteral("&") + SlotText(slot::kMemoryUsage) +
                         QStringLiteral("..."));
    SetHint(MemoryUsage, slot::kMemoryUsageHint);
    for (QAction* item : {ChangeAlways, ChangeSometimes, ChangeNever}) {
        SetHint(item, slot::kPauseHint);
    }
    Help1->setTitle(SlotText(slot::kHelpMenu));
    SetHint(SplitAFileBtn, slot::kChooseSplitFileHint);
    SetHint(DoSplitBtn, slot::kDoSplitHint);
    SetHint(JoinFilesBtn, slot::kChooseJoinFileHint);
    SetHint(DoJoinBtn, slot::kDoJoinHint);
    SetHint(SelfUnitBtn, slot::kCreateSelfUnitHint);
    SetHint(ExitBtn, slot::kExitHint);
    SetHint(StopBtn, slot::kPauseButtonHint);
    BigFileGB->setTitle(SlotText(slot::kBigFile));
    SetHint(BigFileGB, slot::kSizeUnitHint);
    lblBigFileName->setText(SlotText(slot::kBigFileName));
    lblBigFileSize->setText(SlotText(slot::kBigFileSize));
    ActualSizeGB->setTitle(SlotText(slot::kSmallerFiles));
    lblSmallFileNames->setText(SlotText(slot::kSmallFileNames));
    BaseSizeHeadline->setText(SlotText(slot::kBaseSize));
    ApplyBaseSize->setText(SlotText(slot::kModifyBaseSizes));
    SetHint(ApplyBaseSize, slot::kModifyBaseSizesHint);
    SmallerSize->setText(SlotText(slot::kIndividualSizes));
    SetHint(CBBaseSize, slot::kBaseSizeHint);
    ChangeItem->setText(SlotText(slot::kFileNumber));
    lblNewSize->setText(SlotText(slot::kNewSize));
    ApplyNewSize->setText(SlotText(slot::kApplyNewSize));
    SetHint(ApplyNewSize, slot::kApplyNewSizeHint);
    FindPlaceToSmallFiles->setText(SlotText(slot::kFindSmallFilesPlace));
    SetHint(FindPlaceToSmallFiles, slot::kFindSmallFilesPlaceHint);
    SetHint(FindPlaceToSmallFilesBtn, slot::kFindSmallFilesPlaceHint);
    FindPlaceToBigFile->setText(SlotText(slot::kFindBigFilePlace));
    SetHint(FindPlaceToBigFile, slot::kFindBigFilePlaceHint);
    SetHint(FindPlaceToBigFileBtn, slot::kFindBigFilePlaceHint);
    SetHint(SmallerSizesLB, slot::kSizeListHint);
    SetHint(txtNewSize, slot::kNewSizeHint);
    lblNrFiles->clear();
    ClearRegistry->setText(SlotText(slot::kResetSettings));
    SetHint(ClearRegistry, slot::kResetSettingsHint);
    Hint->setText(SlotText(slot::kHowItWorks) + QStringLiteral("..."));
    SetHint(Hint, slot::kHowItWorksHint);
    HintBtn->setText(QString::fromStdString(StripAccelerator(Text(slot::kHowItWorks))));
    SetHint(HintBtn, Text(slot::kHowItWorksShortHint) + "|" + Text(slot::kHowItWorksHint));
    ChangeOfDisk->setTitle(SlotText(slot::kPauseMenu));
    ChangeAlways->setText(SlotText(slot::kPauseAlways));
    ChangeSometimes->setText(SlotText(slot::kPauseSometimes));
    ChangeNever->setText(SlotText(slot::kPauseNever));
    ChooseFiletype->setText(QStringLiteral("&") + SlotText(slot::kChangeSuffix) +
                            QStringLiteral("..."));
    SetHint(ChooseFiletype, slot::kChangeSuffixHint);
    SetHint(LanguageEnglish, slot::kLanguageHint);
    SetHint(LanguageSwedish, slot::kLanguageHint);
    rbSizeFree->setText(SlotText(slot::kUseFreeSpace));
    rbSizeBase->setText(SlotText(slot::kUseBaseSize));
    CreateUnbrelkerFile->setText(QStringLiteral("&") + SlotText(slot::kCreateSelfUnit));
}

void MainWindow::ShowPlanCount() {
    if (plan_.UseFreeSpace) {
        lblNrFiles->clear();
        SetSizeGroupHint(Text(slot::kPieceIndexRange) + "?");
    } else {
        ShowFileCount(job_.SmallFileCount);
    }
}

void MainWindow::ShowFileCount(int count) {
    lblNrFiles->setText(Q(Text(slot::kFileCount) + std::to_string(count)));
    SetSizeGroupHint(Text(slot::kPieceIndexRange) + std::to_string(count));
}

void MainWindow::ReapplyLanguage() {
    FollowLanguageInQt(CurrentLanguage());
    ApplyTexts();
    ShowPlanCount();
    ChangeItem->setText(SlotText(slot::kFileNumber));
    setWindowTitle(SlotText(slot::kProgramName));
    store_.Write(settings::Language, CurrentLanguage());
    StatusPanel0->clear();
    StatusPanel1->clear();
}

void MainWindow::SwitchLanguage(int language) {
    const std::array<QAction*, 3> items = {LanguageEnglish, LanguageSwedish, LanguageGerman};
    if (Busy() || items[static_cast<std::size_t>(language)]->isChecked()) {
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setChecked(static_cast<int>(i) == language);
    }
    SetCurrentLanguage(language);
    ReapplyLanguage();
}

void MainWindow::LanguageEnglishClick() { SwitchLanguage(kEnglish); }

void MainWindow::LanguageSwedishClick() { SwitchLanguage(kSwedish); }

void MainWindow::LanguageGermanClick() { SwitchLanguage(kGerman); }

void MainWindow::ShowPieceNames() {
    SmallFileNames->setText(Q(job_.SmallFilesBase + options_.Suffix + "*"));
}

void MainWindow::SetSizeGroupHint(const std::string& text) {
    ActualSizeGB->setToolTip(Q(ShortHint(text)));
    ActualSizeGB->setStatusTip(Q(LongHint(text)));
}

}  // namespace brelker

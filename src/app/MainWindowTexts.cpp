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
    File1->setTitle(SlotText(0));
    ChooseSplitAFile->setText(SlotText(1));
    SetHint(ChooseSplitAFile, 17);
    DoSplit->setText(SlotText(2));
    SetHint(DoSplit, 18);
    JoinFiles->setText(SlotText(3));
    SetHint(JoinFiles, 19);
    DoJoin->setText(SlotText(4));
    SetHint(DoJoin, 20);
    Exit->setText(SlotText(5));
    SetHint(Exit, 21);
    SetHint(PBar, 53);
    Language1->setTitle(SlotText(6));
    LanguageEnglish->setText(SlotText(7));
    LanguageSwedish->setText(SlotText(8));
    LanguageGerman->setText(SlotText(252));
    Options_->setTitle(SlotText(346));
    RemoveSmall->setText(SlotText(270));
    RemoveBig->setText(SlotText(271));
    RemoveSelf->setText(SlotText(349));
    EraseFloppies->setText(SlotText(347));
    Extract->setText(SlotText(352) + QStringLiteral("..."));
    WriteChecksums->setText(SlotText(slot::kWriteChecksumFile));
    SetHint(WriteChecksums, slot::kWriteChecksumFileHint);
    Verify->setText(SlotText(slot::kVerifySeries) + QStringLiteral("..."));
    SetHint(Verify, slot::kVerifySeriesHint);
    SetHint(VerifyBtn, slot::kVerifySeriesHint);
    for (QAction* item : {RemoveSmall, RemoveBig, RemoveSelf, EraseFloppies}) {
        SetHint(item, 272);
    }
    Memory1->setTitle(SlotText(9));
    MemoryUsage->setText(QStringLiteral("&") + SlotText(10) + QStringLiteral("..."));
    SetHint(MemoryUsage, 12);
    for (QAction* item : {ChangeAlways, ChangeSometimes, ChangeNever}) {
        SetHint(item, 13);
    }
    Help1->setTitle(SlotText(14));
    SetHint(SplitAFileBtn, 17);
    SetHint(DoSplitBtn, 18);
    SetHint(JoinFilesBtn, 19);
    SetHint(DoJoinBtn, 20);
    SetHint(SelfUnitBtn, 256);
    SetHint(ExitBtn, 21);
    SetHint(StopBtn, 344);
    BigFileGB->setTitle(SlotText(22));
    SetHint(BigFileGB, 114);
    lblBigFileName->setText(SlotText(23));
    lblBigFileSize->setText(SlotText(24));
    ActualSizeGB->setTitle(SlotText(25));
    lblSmallFileNames->setText(SlotText(26));
    BaseSizeHeadline->setText(SlotText(27));
    ApplyBaseSize->setText(SlotText(28));
    SetHint(ApplyBaseSize, 41);
    SmallerSize->setText(SlotText(29));
    SetHint(CBBaseSize, 52);
    ChangeItem->setText(SlotText(57));
    lblNewSize->setText(SlotText(58));
    ApplyNewSize->setText(SlotText(59));
    SetHint(ApplyNewSize, 39);
    FindPlaceToSmallFiles->setText(SlotText(60));
    SetHint(FindPlaceToSmallFiles, 61);
    SetHint(FindPlaceToSmallFilesBtn, 61);
    FindPlaceToBigFile->setText(SlotText(62));
    SetHint(FindPlaceToBigFile, 63);
    SetHint(FindPlaceToBigFileBtn, 63);
    SetHint(SmallerSizesLB, 66);
    SetHint(txtNewSize, 67);
    lblNrFiles->clear();
    ClearRegistry->setText(SlotText(101));
    SetHint(ClearRegistry, 113);
    Hint->setText(SlotText(118) + QStringLiteral("..."));
    SetHint(Hint, 139);
    HintBtn->setText(QString::fromStdString(StripAccelerator(Text(118))));
    SetHint(HintBtn, Text(138) + "|" + Text(139));
    ChangeOfDisk->setTitle(SlotText(146));
    ChangeAlways->setText(SlotText(147));
    ChangeSometimes->setText(SlotText(148));
    ChangeNever->setText(SlotText(149));
    ChooseFiletype->setText(QStringLiteral("&") + SlotText(213) + QStringLiteral("..."));
    SetHint(ChooseFiletype, 238);
    SetHint(LanguageEnglish, 239);
    SetHint(LanguageSwedish, 239);
    rbSizeFree->setText(SlotText(227));
    rbSizeBase->setText(SlotText(228));
    CreateUnbrelkerFile->setText(QStringLiteral("&") + SlotText(253));
}

void MainWindow::ShowPlanCount() {
    if (plan_.UseFreeSpace) {
        lblNrFiles->clear();
        SetSizeGroupHint(Text(115) + "?");
    } else {
        ShowFileCount();
    }
}

void MainWindow::ShowFileCount() {
    lblNrFiles->setText(Q(Text(68) + std::to_string(job_.SmallFileCount)));
    SetSizeGroupHint(Text(115) + std::to_string(job_.SmallFileCount));
}

void MainWindow::ReapplyLanguage() {
    FollowLanguageInQt(CurrentLanguage());
    ApplyTexts();
    ShowPlanCount();
    ChangeItem->setText(SlotText(57));
    setWindowTitle(SlotText(72));
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

}  // namespace brelker

// The dialogs the menus open: memory limits, the piece-name suffix, extraction
// and appending, and the How It Works window.

#include <QLabel>
#include <QToolButton>

#include "app/MainWindow.h"
#include "app/ScreenPlacement.h"
#include "settings/ExtractDialog.h"
#include "settings/MemoryDialog.h"
#include "settings/Settings.h"
#include "settings/SuffixDialog.h"
#include "text/HintWindow.h"
#include "text/TextTable.h"

namespace brelker {

void MainWindow::HintClick() {
    if (Busy()) {
        return;
    }
    if (!hintWindow_) {
        hintWindow_ = std::make_unique<HintWindow>(platform_);
    }
    // Modeless: the main window stays usable while the manual is open.
    hintWindow_->show();
    hintWindow_->raise();
    hintWindow_->activateWindow();
}

void MainWindow::MemoryUsageClick() {
    if (Busy()) {
        return;
    }
    MemoryDialog dialog(store_, this);
    CentreOnScreenWhenShown(dialog);
    dialogs_.RunDialog(dialog);
    // Whichever button closed it: Cancel leaves the pair as stored.
    options_.MaxFromRAM = dialog.MaxFromRAM();
    options_.MaxFromFile = dialog.MaxFromFile();
}

void MainWindow::ChooseFiletypeClick() {
    if (Busy()) {
        return;
    }
    SuffixDialog dialog(
        store_,
        [this](const std::string& text, const std::string& caption) {
            dialogs_.Message(text, caption, MessageIcon::Warning, MessageButtons::Ok);
        },
        this);
    CentreOnScreenWhenShown(dialog);
    dialogs_.RunDialog(dialog);
    options_.Suffix = store_.Read(settings::AddedFileType);
    // Several texts quote the suffix (the file filters): fill them anew.
    FillTextTable(options_.Suffix);
    ApplyTexts();
    if (job_.BigFileBytes > 0) {
        ShowPlanCount();
        ShowPieceNames();
    }
}

void MainWindow::ExtractClick() {
    if (Busy()) {
        return;
    }
    ExtractDialog dialog(job_, this);
    CentreOnScreenWhenShown(dialog);
    // Cancel changes nothing, so sizes edited by hand stay. After a split the job
    // describes the series just written, which the restore script still needs:
    // only a split that is ready is planned again, for the new length.
    if (dialogs_.RunDialog(dialog) != QDialog::Accepted || !DoSplitBtn->isEnabled()) {
        return;
    }
    job_.BigFileBytes =
        job_.ExtractActive ? job_.ExtractCount : engine_.QueryFileSize(job_.BigFilePath);
    if (job_.BigFileBytes > 0) {
        BigFileChosen();
        return;
    }
    // Nothing left to split: an empty range, or the file is gone.
    plan_.ClearSizeList();
    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
}

}  // namespace brelker

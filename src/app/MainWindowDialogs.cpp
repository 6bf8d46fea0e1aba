// The dialogs the menus open: memory limits, the piece-name suffix, extraction
// and appending, and the How It Works window.

#include <QLabel>
#include <QToolButton>

#include "app/MainWindow.h"
#include "settings/ExtractModel.h"
#include "settings/MemoryModel.h"
#include "settings/Settings.h"
#include "settings/SuffixModel.h"
#include "text/TextTable.h"

namespace brelker {

void MainWindow::HintClick() {
    if (Busy()) {
        return;
    }
    dialogs_.Show(helpFile_);
}

void MainWindow::MemoryUsageClick() {
    if (Busy()) {
        return;
    }
    MemoryModel memory(store_);
    if (dialogs_.Run(memory)) {
        memory.Commit(store_);
    }
    // Whichever button closed it: Cancel leaves the pair as stored.
    options_.MaxFromRAM = memory.MaxFromRAM();
    options_.MaxFromFile = memory.MaxFromFile();
}

void MainWindow::ChooseFiletypeClick() {
    if (Busy()) {
        return;
    }
    SuffixModel suffix(store_);
    if (dialogs_.Run(suffix)) {
        suffix.Commit(store_);
    }
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
    // Cancel changes nothing, so sizes edited by hand stay. After a split the job
    // describes the series just written, which the restore script still needs:
    // only a split that is ready is planned again, for the new length.
    ExtractModel extraction(job_);
    if (!dialogs_.Run(extraction)) {
        return;
    }
    extraction.Commit(job_);
    if (!DoSplitBtn->isEnabled()) {
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

// What writing the restore script reaches of the main window.

#include <QAction>
#include <QToolButton>

#include "app/MainWindow.h"

namespace brelker {

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

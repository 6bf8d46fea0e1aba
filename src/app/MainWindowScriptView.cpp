// What writing the restore script reaches of the main window; the window's own
// code uses the status panel and the message box too.

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include "app/MainWindow.h"
#include "text/WidgetTexts.h"

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

void MainWindow::SetStatus(const std::string& text) { StatusPanel1->setText(Q(text)); }

void MainWindow::ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    dialogs_.Message(text, caption, icon, MessageButtons::Ok);
}

}  // namespace brelker

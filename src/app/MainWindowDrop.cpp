// Files dropped on the main window: one file is chosen as if picked in the
// dialog of the matching command; anything else is explained and refused.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "app/MainWindow.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool files =
        !urls.isEmpty() &&
        std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
    if (files && !Busy()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || Busy()) {
        return;
    }
    event->acceptProposedAction();
    const QString local = urls.front().toLocalFile();
    if (urls.size() > 1) {
        dialogs_.Message(Text(slot::kDropOneFile), Text(slot::kProgramName), MessageIcon::Warning,
                         MessageButtons::Ok);
        return;
    }
    if (QFileInfo(local).isDir()) {
        dialogs_.Message(Text(slot::kDropNoFolder), Text(slot::kProgramName), MessageIcon::Warning,
                         MessageButtons::Ok);
        return;
    }
    // The name as the file system spells it.
    const std::string path = QFile::encodeName(local).toStdString();
    dialogs_.AnswerNextOpen(path);
    if (ClassifyDroppedFile(path, options_.Suffix) == DroppedAs::FirstPiece) {
        JoinFilesClick();
    } else {
        ChooseSplitAFileClick();
    }
    dialogs_.ForgetAnswer();
}

}  // namespace brelker

#include "qt/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "qt/BaseSizeDialog.h"
#include "qt/DiskCountDialog.h"
#include "qt/ExtractDialog.h"
#include "qt/HintWindow.h"
#include "qt/MemoryDialog.h"
#include "qt/ScreenPlacement.h"
#include "qt/SuffixDialog.h"
#include "qt/WidgetTexts.h"

namespace brelker {

QtDialogs::QtDialogs(Desktop& session, QWidget* parent) : session_(session), parent_(parent) {}

QtDialogs::~QtDialogs() = default;

std::optional<std::string> QtDialogs::Chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // The rest of the program takes the folders of its dialogs from the current folder.
    session_.SetCurrentFolder(QFile::encodeName(QFileInfo(path).absolutePath()).toStdString());
    // A file name is bytes in the system's encoding, not necessarily UTF-8.
    return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

QString QtNameFilters(const std::string& filter) {
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        const QString description = parts[i];
        const QString shown = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (pattern == QStringLiteral("*.*")) {
            pattern = QStringLiteral("*");
        }
        filters.append(description.endsWith(shown)
                           ? description.left(description.size() - shown.size()).trimmed() +
                                 QStringLiteral(" (") + pattern + QLatin1Char(')')
                           : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::OpenFile(const std::string& title, const std::string& filter,
                                               const std::string& folder) {
    return Chosen(QFileDialog::getOpenFileName(parent_, Q(title), QFile::decodeName(folder.c_str()),
                                               QtNameFilters(filter)));
}

std::optional<std::string> QtDialogs::SaveFile(const std::string& title, const std::string& filter,
                                               const std::string& folder,
                                               const std::string& proposedName) {
    const QString start =
        QDir(QFile::decodeName(folder.c_str())).filePath(QFile::decodeName(proposedName.c_str()));
    // The pieces' name is only a stem: the dialog must not ask about overwriting it.
    return Chosen(QFileDialog::getSaveFileName(parent_, Q(title), start, QtNameFilters(filter),
                                               nullptr, QFileDialog::DontConfirmOverwrite));
}

bool QtDialogs::Message(const std::string& text, const std::string& caption, MessageIcon icon,
                        MessageButtons buttons) {
    QMessageBox::Icon shown = QMessageBox::Information;
    switch (icon) {
        case MessageIcon::Stop:
            shown = QMessageBox::Critical;
            break;
        case MessageIcon::Warning:
            shown = QMessageBox::Warning;
            break;
        case MessageIcon::Information:
            shown = QMessageBox::Information;
            break;
        case MessageIcon::Question:
            shown = QMessageBox::Question;
            break;
    }
    // Over the dialog it speaks of, while one is open (the suffix's warning, the
    // base size editor's question), else over the main window.
    QWidget* const over =
        QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : parent_;
    QMessageBox box(shown, Q(caption), Q(text),
                    AsksYesOrNo(buttons) ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    over);
    if (buttons == MessageButtons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    return box.exec() != QMessageBox::No;
}

Answer QtDialogs::AskYesNoCancel(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, Q(caption), Q(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    const int answer = box.exec();
    return answer == QMessageBox::Yes  ? Answer::Yes
           : answer == QMessageBox::No ? Answer::No
                                       : Answer::Cancel;
}

bool QtDialogs::Exec(QDialog& dialog) {
    CentreOnParentWhenShown(dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::Run(MemoryModel& memory) {
    MemoryDialog dialog(memory, parent_);
    return Exec(dialog);
}

bool QtDialogs::Run(SuffixModel& suffix) {
    SuffixDialog dialog(
        suffix,
        [this](const std::string& text, const std::string& caption) {
            Message(text, caption, MessageIcon::Warning, MessageButtons::Ok);
        },
        parent_);
    return Exec(dialog);
}

bool QtDialogs::Run(ExtractModel& extraction) {
    ExtractDialog dialog(extraction, parent_);
    return Exec(dialog);
}

void QtDialogs::Run(BaseSizeModel& baseSizes) {
    BaseSizeDialog dialog(baseSizes, parent_);
    Exec(dialog);
}

bool QtDialogs::Run(DiskCountModel& diskCount) {
    DiskCountDialog dialog(diskCount, parent_);
    return Exec(dialog);
}

void QtDialogs::Show(HelpFileModel& help) {
    if (!hintWindow_ || hintModel_ != &help) {
        // A window of its own, not one that stays above the main window.
        hintWindow_ = std::make_unique<HintWindow>(help, &desktop_);
        hintModel_ = &help;
    }
    hintWindow_->show();
    hintWindow_->raise();
    hintWindow_->activateWindow();
}

}  // namespace brelker

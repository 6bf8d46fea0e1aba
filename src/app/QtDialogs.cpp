#include "app/QtDialogs.h"
#include "text/WidgetTexts.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace brelker {

std::optional<std::string> QtDialogs::Chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // The rest of the program takes the folders of its dialogs from the current folder.
    platform_.SetCurrentFolder(QFile::encodeName(QFileInfo(path).absolutePath()).toStdString());
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
    QMessageBox box(
        shown, Q(caption), Q(text),
        buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        parent_);
    return box.exec() != QMessageBox::No;
}

int QtDialogs::RunDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace brelker

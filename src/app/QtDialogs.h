#pragma once

#include <QString>

#include "app/Dialogs.h"
#include "platform/Platform.h"

class QWidget;

namespace brelker {

// "Description|pattern|Description|pattern" as Qt name filters; "*.*" means
// every file, as it does for the users the texts were written for.
QString QtNameFilters(const std::string& filter);

class QtDialogs : public DialogService {
public:
    QtDialogs(Platform& platform, QWidget* parent) : platform_(platform), parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override;
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override;
    int RunDialog(QDialog& dialog) override;

private:
    std::optional<std::string> Chosen(const QString& path);

    Platform& platform_;
    QWidget* parent_;
};

}  // namespace brelker

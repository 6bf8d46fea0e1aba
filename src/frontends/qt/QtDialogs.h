#pragma once

#include <memory>

#include <QString>

#include "model/Dialogs.h"
#include "platform/Platform.h"
#include "qt/DesktopFileOpener.h"

class QDialog;
class QWidget;

namespace brelker {

class HintWindow;

// "Description|pattern|Description|pattern" as Qt name filters; "*.*" means
// every file, as it does for the users the texts were written for.
QString QtNameFilters(const std::string& filter);

class QtDialogs : public DialogService {
public:
    QtDialogs(Desktop& session, QWidget* parent);
    ~QtDialogs() override;
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override;
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    bool Run(MemoryModel& memory) override;
    bool Run(SuffixModel& suffix) override;
    bool Run(ExtractModel& extraction) override;
    void Run(BaseSizeModel& baseSizes) override;
    bool Run(DiskCountModel& diskCount) override;
    void Show(HelpFileModel& help) override;

private:
    std::optional<std::string> Chosen(const QString& path);
    // Modal, in the middle of the main window.
    static bool Exec(QDialog& dialog);

    Desktop& session_;
    QWidget* parent_;
    // One How It Works window for the whole run, and the model it shows. Its
    // file goes to the desktop's handler first.
    DesktopFileOpener desktop_;
    std::unique_ptr<HintWindow> hintWindow_;
    const HelpFileModel* hintModel_ = nullptr;
};

}  // namespace brelker

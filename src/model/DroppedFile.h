#pragma once

#include <optional>
#include <string>

#include "model/Dialogs.h"
#include "platform/Platform.h"

namespace brelker {

// What a file dropped on the main window is taken for: the first piece of a
// series when its name is one of a series (a stem, the suffix and a number),
// the big file to split otherwise.
enum class DroppedAs { BigFile, FirstPiece };
DroppedAs ClassifyDroppedFile(const std::string& path, const std::string& suffix);

// The main window's dialogs, except that a dropped file answers the next
// open-file dialog itself: a drop runs the very handler of the menu command,
// as if the user had chosen that file in the dialog.
class DropAnsweringDialogs : public DialogService {
public:
    DropAnsweringDialogs(DialogService& shown, Desktop& session)
        : shown_(shown), session_(session) {}

    void AnswerNextOpen(const std::string& path) { dropped_ = path; }
    // A handler that asked nothing leaves no answer behind for a later dialog.
    void ForgetAnswer() { dropped_.reset(); }

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override {
        return shown_.SaveFile(title, filter, folder, proposedName);
    }
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override {
        return shown_.Message(text, caption, icon, buttons);
    }
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override {
        return shown_.AskYesNoCancel(text, caption);
    }
    bool Run(MemoryModel& memory) override { return shown_.Run(memory); }
    bool Run(SuffixModel& suffix) override { return shown_.Run(suffix); }
    bool Run(ExtractModel& extraction) override { return shown_.Run(extraction); }
    void Run(BaseSizeModel& baseSizes) override { shown_.Run(baseSizes); }
    bool Run(DiskCountModel& diskCount) override { return shown_.Run(diskCount); }
    void Show(HelpFileModel& help) override { shown_.Show(help); }
    void UserWatches() override { shown_.UserWatches(); }

private:
    DialogService& shown_;
    Desktop& session_;
    std::optional<std::string> dropped_;
};

}  // namespace brelker

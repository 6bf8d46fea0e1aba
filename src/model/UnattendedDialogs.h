#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "model/Dialogs.h"

namespace brelker {

// The dialogs of a run nobody watches (a split with /exit, or no display at
// all): messages go to the error stream instead of boxes that would wait for a
// click, and questions go to the user's dialogs (interactive) only when there
// is a display to show them on; without one (nullptr) they are answered No.
class UnattendedDialogs : public DialogService {
public:
    explicit UnattendedDialogs(std::ostream& errors, DialogService* interactive = nullptr)
        : interactive_(interactive), errors_(errors), canAsk_(interactive != nullptr) {}

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override;
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override;
    // A run nobody watches answers Yes: a scheduled split that died is to
    // finish on its next start.
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    // Without a display to show it on, a dialog is cancelled rather than left
    // waiting for a click nobody can give, and the manual is not shown.
    bool Run(MemoryModel& memory) override { return canAsk_ && interactive_->Run(memory); }
    bool Run(SuffixModel& suffix) override { return canAsk_ && interactive_->Run(suffix); }
    bool Run(ExtractModel& extraction) override { return canAsk_ && interactive_->Run(extraction); }
    void Run(BaseSizeModel& baseSizes) override;
    bool Run(DiskCountModel& diskCount) override { return canAsk_ && interactive_->Run(diskCount); }
    void Show(HelpFileModel& help) override;
    void UserWatches() override;

private:
    struct Said {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    DialogService* interactive_;
    std::ostream& errors_;
    const bool canAsk_;
    bool watched_ = false;
    // What went to the error stream only, for the user should one come.
    std::vector<Said> unseen_;
};

}  // namespace brelker

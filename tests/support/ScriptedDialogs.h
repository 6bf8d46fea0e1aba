#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/BaseSizeModel.h"
#include "model/Dialogs.h"
#include "model/DiskCountModel.h"
#include "model/ExtractModel.h"
#include "model/HelpFileModel.h"
#include "model/MemoryModel.h"
#include "model/SuffixModel.h"

namespace brelker {

// Plays the user at the main window's dialogs: file dialogs answer the next
// scripted path (nothing: cancelled) and, like the system's, move the current
// folder to where the choice was made; message boxes answer the next scripted
// Yes/No (Yes once the script runs out) and are all recorded. An option dialog
// is answered by the next step scripted for its kind, which acts on the model
// as the user would on the dialog and returns whether it was accepted (no
// step: cancelled at once). No window is ever shown.
class ScriptedDialogs : public DialogService {
public:
    template <typename Model>
    using Steps = std::deque<std::function<bool(Model&)>>;

    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        MessageButtons buttons;
    };
    struct Asked {
        std::string title;
        std::string filter;
        std::string folder;
        std::string proposedName;
    };

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override {
        asked.push_back({title, filter, folder, {}});
        return Next();
    }
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override {
        asked.push_back({title, filter, folder, proposedName});
        return Next();
    }
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        if (whileShown) {
            whileShown(shown.back());
        }
        if (buttons == MessageButtons::Ok || answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Recorded with the buttons of a Yes/No question; the next scripted
    // choice answers it (Yes once the script runs out).
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override {
        shown.push_back({text, caption, MessageIcon::Question, MessageButtons::YesNo});
        if (choices.empty()) {
            return Answer::Yes;
        }
        const Answer answer = choices.front();
        choices.pop_front();
        return answer;
    }

    bool Run(MemoryModel& memory) override { return Play(memorySteps, memory, "TMemory"); }
    bool Run(SuffixModel& suffix) override { return Play(suffixSteps, suffix, "TFrmFileType"); }
    bool Run(ExtractModel& extraction) override {
        return Play(extractSteps, extraction, "TfrmExtract");
    }
    void Run(BaseSizeModel& baseSizes) override { Play(baseSizeSteps, baseSizes, "TFrmBaseSize"); }
    bool Run(DiskCountModel& diskCount) override {
        return Play(diskCountSteps, diskCount, "TfrmDisk");
    }
    void Show(HelpFileModel& help) override { Play(helpSteps, help, "TfrmHint"); }

    // The texts of the message boxes shown, each as "text / caption".
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Shown& box : shown) {
            texts.push_back(box.text + " / " + box.caption);
        }
        return texts;
    }

    std::deque<std::optional<std::string>> paths;
    std::deque<bool> answers;
    std::deque<Answer> choices;
    // What happens while a message box is open, as the user reads it.
    std::function<void(const Shown&)> whileShown;
    Steps<MemoryModel> memorySteps;
    Steps<SuffixModel> suffixSteps;
    Steps<ExtractModel> extractSteps;
    Steps<BaseSizeModel> baseSizeSteps;
    Steps<DiskCountModel> diskCountSteps;
    // What the user does in the How It Works window while the window goes on.
    Steps<HelpFileModel> helpSteps;
    // The dialogs run, by the objectName of the Qt dialog that would show them.
    std::vector<std::string> dialogsRun;
    std::vector<Shown> shown;
    std::vector<Asked> asked;

private:
    template <typename Model>
    bool Play(Steps<Model>& steps, Model& model, const char* name) {
        dialogsRun.emplace_back(name);
        if (steps.empty()) {
            return false;
        }
        const auto step = std::move(steps.front());
        steps.pop_front();
        return step(model);
    }

    std::optional<std::string> Next() {
        if (paths.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> path = paths.front();
        paths.pop_front();
        if (path) {
            std::filesystem::current_path(std::filesystem::path(*path).parent_path());
        }
        return path;
    }
};

}  // namespace brelker

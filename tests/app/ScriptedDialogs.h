#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "app/Dialogs.h"

namespace brelker {

// Plays the user at the main window's dialogs: file dialogs answer the next
// scripted path (nothing: cancelled) and, like the system's, move the current
// folder to where the choice was made; message boxes answer the next scripted
// Yes/No (Yes once the script runs out) and are all recorded. An option dialog
// is shown, played by the next scripted step and cancelled if the step left it
// open (no step: cancelled at once).
class ScriptedDialogs : public DialogService {
public:
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
        if (buttons == MessageButtons::Ok || answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int RunDialog(QDialog& dialog) override {
        dialogsRun.push_back(dialog.objectName().toStdString());
        dialog.show();
        if (!steps.empty()) {
            const auto step = std::move(steps.front());
            steps.pop_front();
            step(dialog);
        }
        if (dialog.isVisible()) {
            dialog.reject();
        }
        return dialog.result();
    }

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
    std::deque<std::function<void(QDialog&)>> steps;
    std::vector<std::string> dialogsRun;
    std::vector<Shown> shown;
    std::vector<Asked> asked;

private:
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

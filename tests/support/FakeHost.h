#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/EngineHost.h"

namespace brelker {

// Records what the engine shows and answers its questions from a script.
class FakeHost : public EngineHost {
public:
    struct Question {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    void SetProgressRange(int minimum, int maximum) override {
        progressMinimum = minimum;
        progressMaximum = maximum;
    }
    void SetProgress(int position) override { progress.push_back(position); }
    void ClearSizeList() override { sizeLines.clear(); }
    void AddSizeLine(const std::string& line) override { sizeLines.push_back(line); }
    void SelectSizeLine(int index) override { selections.push_back(index); }
    void RepaintSizeList() override {}
    void ShowNote(const std::string& text) override { notes.push_back(text); }
    void RepaintWindow() override { ++repaints; }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void ShowBusyCursor() override { ++busyCursors; }
    bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override {
        questions.push_back({text, caption, icon});
        if (onQuestion) {
            onQuestion(questions.back());
        }
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }

    void BeginBusy(const std::string& text) override { busyTexts.push_back(text); }
    void ReportMissingFile(const std::string& path) override { missingFiles.push_back(path); }
    void ReportUnreadableFile(const std::string& path) override { unreadableFiles.push_back(path); }
    int AskDiskCount() override {
        ++diskCountQuestions;
        return diskCount;
    }

    // Answers for the next questions, in order; Yes once they run out.
    std::deque<bool> answers;
    std::function<void()> onPump;
    std::function<void(const Question&)> onQuestion;

    int progressMinimum = -1;
    int progressMaximum = -1;
    std::vector<int> progress;
    std::vector<std::string> sizeLines;
    std::vector<int> selections;
    std::vector<std::string> notes;
    std::vector<Question> questions;
    std::vector<Question> messages;
    std::vector<std::string> busyTexts;
    std::vector<std::string> missingFiles;
    std::vector<std::string> unreadableFiles;
    int diskCount = 0;
    int diskCountQuestions = 0;
    int repaints = 0;
    int pumps = 0;
    int busyCursors = 0;
};

}  // namespace brelker

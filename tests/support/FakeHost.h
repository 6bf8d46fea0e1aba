#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "transfer/EngineHost.h"

namespace brelker {

// Records what the engine shows and answers its questions from a script. A
// question is recorded by its meaning: "continue", "disk 3", "full disk 3" or
// "unchanged disk 3"; erasing notes as "erasing" and "deleted PATH".
class FakeHost : public EngineHost {
public:
    void SetProgressRange(int minimum, int maximum) override {
        progressMinimum = minimum;
        progressMaximum = maximum;
    }
    void SetProgress(int position) override { progress.push_back(position); }
    void ShowTransfer(const TransferProgress& report) override { transfers.push_back(report); }
    void ClearSizeList() override { sizeLines.clear(); }
    void AddSizeLine(const std::string& line) override { sizeLines.push_back(line); }
    void SelectSizeLine(int index) override { selections.push_back(index); }
    void RepaintSizeList() override {}
    void ShowNote(const std::string& path) override { notes.push_back(path); }
    void NoteErasing() override { notes.push_back("erasing"); }
    void NoteErased(const std::string& path) override { notes.push_back("deleted " + path); }
    void RepaintWindow() override { ++repaints; }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void ShowBusyCursor() override { ++busyCursors; }
    bool AskToContinue() override { return Ask("continue"); }
    bool AskForDisk(int piece, DiskPrompt why) override {
        const char* const kinds[] = {"disk ", "full disk ", "unchanged disk "};
        return Ask(kinds[static_cast<int>(why)] + std::to_string(piece));
    }
    void ReportUndeletable(const std::string& path) override { undeletable.push_back(path); }

    void BeginCounting() override { ++countings; }
    void ReportMissingFile(const std::string& path) override { missingFiles.push_back(path); }
    void ReportUnreadableFile(const std::string& path) override { unreadableFiles.push_back(path); }
    void ReportUnusableChecksumFile(const ChecksumProblem& problem) override {
        unusableLists.push_back(problem);
    }
    int AskDiskCount() override {
        ++diskCountQuestions;
        return diskCount;
    }

    // Answers for the next questions, in order; Yes once they run out.
    std::deque<bool> answers;
    std::function<void()> onPump;
    std::function<void(const std::string&)> onQuestion;

    int progressMinimum = -1;
    int progressMaximum = -1;
    std::vector<int> progress;
    std::vector<TransferProgress> transfers;
    std::vector<std::string> sizeLines;
    std::vector<int> selections;
    std::vector<std::string> notes;
    std::vector<std::string> questions;
    std::vector<std::string> undeletable;
    int countings = 0;
    std::vector<std::string> missingFiles;
    std::vector<std::string> unreadableFiles;
    std::vector<ChecksumProblem> unusableLists;
    int diskCount = 0;
    int diskCountQuestions = 0;
    int repaints = 0;
    int pumps = 0;
    int busyCursors = 0;

private:
    bool Ask(const std::string& question) {
        questions.push_back(question);
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
};

}  // namespace brelker

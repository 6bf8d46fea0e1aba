#pragma once

#include <string>

namespace brelker {

enum class MessageIcon { Stop, Warning, Information, Question };

// What the engine and series discovery need of the window they work in:
// progress, the size list, status panel 0, repaints, the message pump and
// modal questions. The main
// window implements it; tests pass a recording fake.
class EngineHost {
public:
    virtual ~EngineHost() = default;

    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;

    virtual void ClearSizeList() = 0;
    virtual void AddSizeLine(const std::string& line) = 0;
    // Index from 0; -1 selects no line.
    virtual void SelectSizeLine(int index) = 0;
    virtual void RepaintSizeList() = 0;

    // Status panel 0: hints and progress notes.
    virtual void ShowNote(const std::string& text) = 0;
    virtual void RepaintWindow() = 0;
    // Lets the window paint and handle clicks (the Stop button) between blocks.
    virtual void ProcessMessages() = 0;
    virtual void ShowBusyCursor() = 0;

    // Modal message boxes; AskYesNo answers true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption,
                          MessageIcon icon) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;

    // Series discovery: the busy state with its text in status panel 1, the
    // missing-file message, and the number of disks asked of the user (the
    // number last confirmed; 0 before the first confirmation).
    virtual void BeginBusy(const std::string& text) = 0;
    virtual void ReportMissingFile(const std::string& path) = 0;
    // A piece that is there but cannot be read: it is missing for the join.
    virtual void ReportUnreadableFile(const std::string& path) = 0;
    virtual int AskDiskCount() = 0;
};

}  // namespace brelker

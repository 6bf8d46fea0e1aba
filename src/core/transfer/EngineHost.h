#pragma once

#include <cstdint>
#include <string>

namespace brelker {

struct ChecksumProblem;
enum class CheckState;

// Why a disk is asked for: the next piece, a full disk, or a disk that still
// holds the piece this run has just written there (so it was not changed).
enum class DiskPrompt { Plain, Full, NotChanged };

// How far a run is: the bytes moved of the bytes it moves (total 0 when it
// cannot know them, as a join that asks for each disk), and the number of the
// piece being moved of the pieces (count 0 while a split by free space still
// decides it; piece 0 for a file that is no piece, the joined file Verify reads).
struct TransferProgress {
    std::int64_t bytesDone = 0;
    std::int64_t bytesTotal = 0;
    int piece = 0;
    int pieceCount = 0;
};

// What the engine and series discovery need of the window they work in:
// progress, the size list, status panel 0, repaints, the message pump and
// modal questions. The engine says what it asks or reports; the host words
// it. The main window and the console implement it; tests pass a recording
// fake.
class EngineHost {
public:
    virtual ~EngineHost() = default;

    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    // With each block, and as each piece begins. A host that words it decides
    // how often it is shown: this comes far more often than a reader needs.
    virtual void ShowTransfer(const TransferProgress& /*progress*/) {}
    // Progress of a run whose size is known only at its end (a split of a
    // stream): the bytes so far.
    virtual void ShowBytes(std::int64_t /*done*/) {}

    virtual void ClearSizeList() = 0;
    virtual void AddSizeLine(const std::string& line) = 0;
    // Index from 0; -1 selects no line.
    virtual void SelectSizeLine(int index) = 0;
    virtual void RepaintSizeList() = 0;

    // Status panel 0: the piece or file being worked on, the floppy being
    // erased and each file deleted from it.
    virtual void ShowNote(const std::string& path) = 0;
    virtual void NoteErasing() = 0;
    virtual void NoteErased(const std::string& path) = 0;
    virtual void RepaintWindow() = 0;
    // Lets the window paint and handle clicks (the Stop button) between blocks.
    virtual void ProcessMessages() = 0;
    virtual void ShowBusyCursor() = 0;

    // Questions, true for Yes: whether the work goes on after Stop, and
    // whether the disk for piece is in the drive.
    virtual bool AskToContinue() = 0;
    virtual bool AskForDisk(int piece, DiskPrompt why) = 0;
    // A file of the floppy being erased that could not be deleted.
    virtual void ReportUndeletable(const std::string& path) = 0;

    // Series discovery: the busy state while the pieces are counted, the
    // missing-file message, and the number of disks asked of the user (the
    // number last confirmed; 0 before the first confirmation).
    virtual void BeginCounting() = 0;
    virtual void ReportMissingFile(const std::string& path) = 0;
    // A piece that is there but cannot be read: it is missing for the join.
    virtual void ReportUnreadableFile(const std::string& path) = 0;
    // The series' checksum file is there but cannot be used: which line, and why.
    virtual void ReportUnusableChecksumFile(const ChecksumProblem& problem) = 0;
    // Verify: the verdict on one file, as soon as it is known.
    virtual void ShowChecked(const std::string& /*path*/, CheckState /*state*/) {}
    virtual int AskDiskCount() = 0;
};

}  // namespace brelker

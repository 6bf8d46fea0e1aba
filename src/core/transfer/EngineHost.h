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

// What every run shows: how far it is. A run of unknown size (the split of a
// stream) shows the bytes so far instead.
class ProgressView {
public:
    virtual ~ProgressView() = default;

    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    // With each block, and as each piece begins. A host that words it decides
    // how often it is shown: this comes far more often than a reader needs.
    virtual void ShowTransfer(const TransferProgress& /*progress*/) {}
    virtual void ShowBytes(std::int64_t /*done*/) {}
};

// What a window shows of a run beside the progress: the size list, status
// panel 0, repaints and the message pump. A host without a window (a
// terminal) shows none of it.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    virtual void ClearSizeList() {}
    virtual void AddSizeLine(const std::string& /*line*/) {}
    // Index from 0; -1 selects no line.
    virtual void SelectSizeLine(int /*index*/) {}
    virtual void RepaintSizeList() {}
    // Status panel 0: the piece or file being worked on.
    virtual void ShowNote(const std::string& /*path*/) {}
    virtual void RepaintWindow() {}
    // Lets the window paint and handle clicks (the Stop button) between blocks.
    virtual void ProcessMessages() {}
    virtual void ShowBusyCursor() {}
};

// What a run asks of the user, true for Yes: whether the work goes on after
// Stop, and whether the disk for piece is in the drive; and what the floppy
// erase tells: that it erases, each file deleted, and one that could not be.
class RunQuestions {
public:
    virtual ~RunQuestions() = default;

    virtual bool AskToContinue() = 0;
    virtual bool AskForDisk(int piece, DiskPrompt why) = 0;
    virtual void NoteErasing() {}
    virtual void NoteErased(const std::string& /*path*/) {}
    virtual void ReportUndeletable(const std::string& path) = 0;
};

// What series discovery tells and asks: the busy state while the pieces are
// counted, the files that are missing or cannot be read or used, and the
// number of disks (the number last confirmed; 0 where nobody can answer).
class SeriesHost {
public:
    virtual ~SeriesHost() = default;

    virtual void BeginCounting() {}
    virtual void ReportMissingFile(const std::string& path) = 0;
    // A piece that is there but cannot be read: it is missing for the join.
    virtual void ReportUnreadableFile(const std::string& path) = 0;
    // The series' checksum file is there but cannot be used: which line, and why.
    virtual void ReportUnusableChecksumFile(const ChecksumProblem& problem) = 0;
    virtual int AskDiskCount() { return 0; }
};

// Verify: the verdict on one file, as soon as it is known.
class VerifyView {
public:
    virtual ~VerifyView() = default;

    virtual void ShowChecked(const std::string& /*path*/, CheckState /*state*/) {}
};

// Everything a run and series discovery need of the window they work in. The
// engine says what it asks or reports; the host words it. The main window
// and the console implement it, each only the parts it shows; tests pass a
// recording fake.
class EngineHost : public ProgressView,
                   public RunWindow,
                   public RunQuestions,
                   public SeriesHost,
                   public VerifyView {};

}  // namespace brelker

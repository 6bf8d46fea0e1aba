#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"

namespace brelker {

// Bytes one new file can take on a volume with free bytes, handed out in units
// of unit bytes: the file system spends some units on the file's own records
// (its block maps, a folder entry), which a piece sized to the last free byte
// would not leave room for.
std::int64_t RoomForOneFile(std::int64_t free, std::int64_t unit);

// The disks of removable media: prompts for the next disk, pieces sized by
// free space, and the floppy erase.
class DiskChanger {
public:
    DiskChanger(Job& job, RunState& run, Platform& platform, RunQuestions& host)
        : job_(job), run_(run), platform_(platform), host_(host) {}

    // Asks for the disk of piece i; true when the user answers Yes.
    bool AskForDisk(int piece, DiskPrompt kind);
    // Sizes piece i by the free space of the target volume; false when the user gave up.
    bool SizeFromFreeSpace(int piece, std::int64_t& remaining);
    // Deletes the ordinary files of a floppy, in every folder; folders, hidden
    // files and the protected file remain.
    void EraseDisk(const std::string& root);
    // Deletes the ordinary files of one folder.
    void DeleteFilesIn(const std::string& folder);
    // The big file of the running split, which an erase must leave alone.
    void Protect(const std::string& path) { protected_ = path; }
    // Notes the piece just written to the disk, to know later that the disk was changed.
    void NoteLastPiece(const std::string& path) { lastPieceStamp_ = platform_.FileStamp(path); }
    // The disk in the drive is another than the one the last piece went to
    // (previous names that piece), or no piece has been written yet.
    bool WasChanged(const std::string& previous) const;

private:
    void EraseWalk(const std::string& folder);

    Job& job_;
    RunState& run_;
    Platform& platform_;
    RunQuestions& host_;
    std::string protected_;
    std::optional<std::string> lastPieceStamp_;
};

}  // namespace brelker

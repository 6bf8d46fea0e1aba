#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brelker {

// The current job: what the user chose and the window shows (the big file,
// the pieces' stem, the plan of their sizes, an extraction or an append) and
// what a split proved of it (the digests), shared by the main window, the
// plan, series discovery, the runs and the restore script. The code says
// "piece" for what the stored and shown names call a small file.
struct Job {
    // Number of pieces; a free-space split raises it while it runs.
    std::int32_t SmallFileCount = 0;
    // The big file: source of a split, target of a join.
    std::string BigFilePath;
    // Path and name of the pieces without suffix and number.
    std::string SmallFilesBase;
    // The piece chosen or counted; during a run the piece being processed,
    // afterwards the last one processed.
    std::string PiecePath;
    // Size of the big file or of the range to split; -1 when it cannot be opened.
    std::int64_t BigFileBytes = 0;
    // Size of piece i at index i, from 1; index 0 is never used.
    std::vector<std::int64_t> SmallFileSizes = {0};

    // Extraction (split) and appending (join); never stored.
    std::int64_t ExtractSkip = 0;
    std::int64_t ExtractCount = 0;
    std::int64_t ExtractLimit = 0;
    bool ExtractActive = false;
    bool AppendActive = false;

    // SHA-256 digests of the last split as 64 lower-case hex digits: piece i at
    // index i (index 0 is never used), and the whole file (or extracted range).
    // Empty when the split wrote no checksums.
    std::vector<std::string> PieceDigests;
    std::string WholeDigest;

    // Series discovery counted the pieces from the series' checksum file: a
    // join that no longer finds it there fails rather than go on unverified.
    bool CountedFromChecksumFile = false;
};

// What one run keeps while it goes, new for each run; the last run's stays to
// be read.
struct RunState {
    // Length of the existing big file that an appending join wrote after.
    std::int64_t AppendBaseBytes = 0;
    // Nesting counter of the floppy erase.
    std::int32_t EraseDepth = 0;
    // Bytes moved per step of progress while copying the current piece.
    std::int32_t BlockSize = 0;
    // The volume of the pieces, for the free-space query.
    std::string TargetDrive;
};

// The Stop button's request: set by the window, read and cleared by the run.
struct StopSignal {
    bool requested = false;
};

}  // namespace brelker

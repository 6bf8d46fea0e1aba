#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brelker {

// The current job: one record shared by the main window, the plan, series
// discovery, the engine and the restore script.
struct Job {
    // Number of pieces; a free-space split raises it while it runs.
    std::int32_t SmallFileCount = 0;
    // The big file: source of a split, target of a join.
    std::string BigFilePath;
    // Path and name of the pieces without suffix and number.
    std::string SmallFilesBase;
    // During a run the piece being processed; afterwards the last one processed.
    std::string PiecePath;
    // Size of the big file or of the range to split; -1 when it cannot be opened.
    std::int64_t BigFileBytes = 0;
    // Length of the existing big file that an appending join wrote after.
    std::int64_t AppendBaseBytes = 0;
    // Size of piece i at index i, from 1; index 0 is never used.
    std::vector<std::int64_t> SmallFileSizes = {0};
    // Nesting counter of the floppy erase.
    std::int32_t EraseDepth = 0;
    // Bytes moved per step of progress while copying the current piece.
    std::int32_t BlockSize = 0;
    // The volume of the pieces, for the free-space query.
    std::string TargetDrive;

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

    // Set by the Stop button, read and cleared by the engine.
    bool StopRequested = false;
};

}  // namespace brelker

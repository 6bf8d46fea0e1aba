#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"

namespace brelker {

// The checksum list of a series while a split writes it. It is there before
// the first piece, marked unfinished with what the split means to write; each
// piece's line is added once the piece is proven; and only when every piece is
// written and proven does the whole list, the joined file's line last, replace
// it in one step. A split killed anywhere leaves a list that says it did not
// finish, and no join or Verify takes its pieces for a whole series.
class SeriesRecord {
public:
    SeriesRecord(Platform& platform, std::string path);
    ~SeriesRecord();
    SeriesRecord(const SeriesRecord&) = delete;
    SeriesRecord& operator=(const SeriesRecord&) = delete;

    // Puts the record at its path: the mark and the lines proven so far. A
    // split whose pieces go to several disks writes it on each disk before
    // the disk's first piece, so that each disk tells where the series stood.
    bool Begin(int plannedPieces, std::int64_t plannedBytes);
    // Comment lines that follow the mark from the next Begin on: what the
    // same split run again needs to know the record for its own.
    void Describe(std::string note) { note_ = std::move(note); }
    // The lines of pieces a stopped run proved and this one keeps, before
    // the next Begin.
    void Keep(std::vector<ChecksumLine> lines) { lines_ = std::move(lines); }
    // Adds the line of the next piece, proven.
    bool Add(const ChecksumLine& line);
    // Puts the lines added so far on the disk and lets the record go, before
    // the disk leaves the drive; Begin comes before the next line.
    bool PutOnDisk();
    // Replaces the record by the finished list of these lines.
    bool Finish(const std::vector<ChecksumLine>& lines);

    const std::string& Path() const { return path_; }
    // The pieces whose lines are in the record.
    int Listed() const { return static_cast<int>(lines_.size()); }
    // The system's reason when a call above failed.
    const std::string& Reason() const { return reason_; }

private:
    void CloseFile();

    Platform& platform_;
    const std::string path_;
    FileHandle file_ = kNoFile;
    std::vector<ChecksumLine> lines_;
    int plannedPieces_ = 0;
    std::int64_t plannedBytes_ = -1;
    std::string note_;
    std::string reason_;
};

}  // namespace brelker

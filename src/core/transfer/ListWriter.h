#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checksum/SeriesRecord.h"
#include "checksum/StreamHasher.h"
#include "platform/Platform.h"
#include "transfer/OwnedFiles.h"
#include "transfer/TransferResult.h"

namespace brelker {

// A split's checksum list: written first as the record of a split that has
// not finished, with each piece's line added once the piece is proven, and
// replaced by the finished list at the end. Killed anywhere, the split leaves
// no series that looks whole. Where a vendor's list holds the list's name the
// record is left out and every call does nothing.
class ListWriter {
public:
    // A split killed while it wrote its list left the list's temporary, which goes now.
    ListWriter(Platform& platform, OwnedFiles& owned, std::string stem, std::string suffix);

    bool Active() const { return record_ != nullptr; }
    const std::string& Path() const { return path_; }
    // The pieces whose lines are in the record: the pieces proven so far.
    int Proven() const { return record_ ? record_->Listed() : 0; }

    // Before the first piece on each disk: the record says what the split is
    // about to do, with the lines of the pieces proven so far.
    Step Begin(int plannedPieces, std::int64_t plannedBytes);
    // The line of the next piece, proven by digest.
    Step Add(int piece, const std::string& digest);
    // The lines of the pieces up to upTo whose digests the hashing knows by now, in order.
    Step AddProven(StreamHasher& hasher, int upTo);
    // The lines so far on the disk, before the disk leaves the drive.
    Step PutOnDisk();
    // The record becomes the finished list: each piece's line (digests from
    // index 1), then the whole's under the stem's name, the file a join restores.
    Step Finish(const std::vector<std::string>& digests, const std::string& whole);
    // A split without a list removes its record: the pieces are whole, and a
    // list of an earlier series under the stem's name is gone with it.
    Step Remove();

private:
    Step Failed() const;

    Platform& platform_;
    OwnedFiles& owned_;
    const std::string stem_;
    const std::string suffix_;
    const std::string path_;
    std::unique_ptr<SeriesRecord> record_;
};

// The result of a split: step's failure, the stale pieces it removed, and,
// where it failed, what it removed of its own files so that nothing is left
// that looks like a whole series (the list's record goes too, but the user
// is told of the pieces).
TransferResult SplitResult(const Step& step, OwnedFiles& owned,
                           const std::optional<ListWriter>& list,
                           std::vector<std::string> stalePieces);

}  // namespace brelker

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace brelker {

// What an appending join writes beside its target before the first byte it
// appends, and removes once the appended bytes are proven and on the disk:
// the target's length and identity before the append. Whatever ends the run
// (a failure, a kill, a power cut), the next run on the target finds it and
// takes off what was appended, or refuses where that is not safe.
struct AppendRecord {
    std::int64_t length = 0;
    // The target as HandleIdentity gives it, and the digest of its last
    // bytes before length; empty where the target could not be read.
    std::string identity;
    std::string tailDigest;
    // The series appended from (SeriesIdentity), so that the same append run
    // again may continue after what it proves; empty where it had no list.
    std::string series;
    // Smaller files appended from have been deleted since: what follows the
    // old end is the only copy of their bytes and is never cut off.
    bool piecesGone = false;
};

// The record of the target at path: beside it, under a name of the program's own.
std::string AppendRecordPath(const std::string& target);

std::string AppendRecordText(const AppendRecord& record);
// Nothing for a text that is not a record as AppendRecordText writes it.
std::optional<AppendRecord> ParseAppendRecord(std::string_view text);

// Reads the record open at file; nothing when it cannot be read or understood.
std::optional<AppendRecord> ReadAppendRecord(Platform& platform, FileHandle file);
// Marks the record open at file (for writing, as written) as one whose
// smaller files are gone, and puts that on the disk: four bytes of one
// sector are rewritten in place, so the record is never half changed.
bool MarkPiecesGone(Platform& platform, FileHandle file);

// The digest of up to 64 KiB before length in file; nothing when they
// cannot be read.
std::optional<std::string> TailDigest(Platform& platform, FileHandle file, std::int64_t length);

// True when two identities name the same file on its volume. The volume's
// own number is not compared: the record lies in the target's folder, so on
// its volume, and a disk plugged in again may get another number.
bool SameFileOnVolume(const std::string& first, const std::string& second);

}  // namespace brelker

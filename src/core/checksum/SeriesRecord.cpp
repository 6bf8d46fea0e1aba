#include "checksum/SeriesRecord.h"

#include <utility>

namespace brelker {

SeriesRecord::SeriesRecord(Platform& platform, std::string path)
    : platform_(platform), path_(std::move(path)) {}

SeriesRecord::~SeriesRecord() { CloseFile(); }

void SeriesRecord::CloseFile() { platform_.Close(std::exchange(file_, kNoFile)); }

bool SeriesRecord::Begin(int plannedPieces, std::int64_t plannedBytes) {
    CloseFile();
    plannedPieces_ = plannedPieces;
    plannedBytes_ = plannedBytes;
    return ReplaceChecksumFile(
        platform_, path_,
        UnfinishedMark(plannedPieces, plannedBytes) + note_ + FormatChecksumLines(lines_), reason_,
        &file_);
}

// The line goes after what is there without being put on the disk at once: a
// power cut may lose it, and the record then lists a piece less, which still
// says that the split did not finish.
bool SeriesRecord::Add(const ChecksumLine& line) {
    const std::string text = FormatChecksumLines({line});
    const auto size = static_cast<std::int64_t>(text.size());
    if (file_ == kNoFile || platform_.Write(file_, text.data(), size) != size) {
        reason_ = platform_.LastErrorText();
        return false;
    }
    lines_.push_back(line);
    return true;
}

// The disk may leave the drive next: the record is closed too, so that no
// handle of the program holds it, and the next disk's Begin opens its own.
bool SeriesRecord::PutOnDisk() {
    const bool flushed = file_ != kNoFile && platform_.Flush(file_);
    if (!flushed) {
        reason_ = platform_.LastErrorText();
    }
    CloseFile();
    return flushed;
}

bool SeriesRecord::Finish(const std::vector<ChecksumLine>& lines) {
    CloseFile();
    return ReplaceChecksumFile(platform_, path_, FormatChecksumLines(lines), reason_);
}

}  // namespace brelker

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "transfer/Job.h"

namespace brelker {

// Extraction (split only a byte range of the big file) and appending (join
// onto the end of an existing big file): a working copy of the job's five
// fields. Only Commit puts the copy back.
class ExtractModel {
public:
    explicit ExtractModel(const Job& job);

    // A keystroke in either field brings both numbers inside the big file of
    // ExtractLimit bytes; until the first one they are the job's own, even
    // outside the file.
    void SetSkipText(std::string_view typed);
    void SetCountText(std::string_view typed);
    std::int64_t Skip() const { return skip_; }
    std::int64_t Count() const { return count_; }
    std::string SkipText() const { return std::to_string(skip_); }
    std::string CountText() const { return std::to_string(count_); }

    bool ExtractActive() const { return extractActive_; }
    void SetExtractActive(bool on) { extractActive_ = on; }
    bool AppendActive() const { return appendActive_; }
    void SetAppendActive(bool on) { appendActive_ = on; }
    // The range is edited only while extraction is on.
    bool RangeEditable() const { return extractActive_; }

    // OK: the working copy goes back into the job.
    void Commit(Job& job) const;

private:
    void Normalise(std::int64_t skip, std::int64_t count);

    std::int64_t skip_;
    std::int64_t count_;
    std::int64_t limit_;
    bool extractActive_;
    bool appendActive_;
};

}  // namespace brelker

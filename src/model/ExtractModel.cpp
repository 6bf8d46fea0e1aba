#include "model/ExtractModel.h"

#include "platform/Decimal.h"
#include "settings/ExtractRange.h"

namespace brelker {

ExtractModel::ExtractModel(const Job& job)
    : skip_(job.ExtractSkip),
      count_(job.ExtractCount),
      limit_(job.ExtractLimit),
      extractActive_(job.ExtractActive),
      appendActive_(job.AppendActive) {}

void ExtractModel::SetSkipText(std::string_view typed) { Normalise(DecimalToInt64(typed), count_); }

void ExtractModel::SetCountText(std::string_view typed) { Normalise(skip_, DecimalToInt64(typed)); }

void ExtractModel::Normalise(std::int64_t skip, std::int64_t count) {
    const ExtractRange range = NormaliseExtractRange(skip, count, limit_);
    skip_ = range.skip;
    count_ = range.count;
}

void ExtractModel::Commit(Job& job) const {
    job.ExtractSkip = skip_;
    job.ExtractCount = count_;
    job.ExtractLimit = limit_;
    job.ExtractActive = extractActive_;
    job.AppendActive = appendActive_;
}

}  // namespace brelker

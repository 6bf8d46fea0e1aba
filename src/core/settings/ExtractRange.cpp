#include "settings/ExtractRange.h"

namespace brelker {

ExtractRange NormaliseExtractRange(std::int64_t skip, std::int64_t count, std::int64_t limit) {
    if (skip > limit) {
        skip = limit;
    }
    if (count > limit) {
        count = limit;
    }
    if (skip < 0) {
        skip = 0;
    }
    if (count < 0) {
        count = 0;
    }
    // Compared with the room left after the skip, which cannot overflow as the
    // sum could for a file near the largest size.
    if (count > limit - skip) {
        count = limit - skip;
    }
    return {skip, count};
}

}  // namespace brelker

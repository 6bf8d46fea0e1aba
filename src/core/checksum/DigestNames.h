#pragma once

#include <cstddef>
#include <string_view>

namespace brelker {

// How the series' digest is named wherever it is written down or checked by
// another program: the checksum file's lines and name, and the commands the
// restore scripts run. The bytes themselves are hashed by Sha256; a second
// digest would be a second set of these beside a second hasher.
struct DigestNames {
    // A tagged line's opening word ("SHA256 (name) = ..."), which is also the
    // name certutil takes for the algorithm.
    std::string_view tag;
    std::string_view fileEnding;
    // The coreutils program that checks such a list, and the algorithm's
    // number for Perl's shasum, which systems without coreutils have.
    std::string_view sumProgram;
    std::string_view shasumAlgorithm;
    std::size_t hexDigits;
};

inline constexpr DigestNames kSeriesDigest{"SHA256", ".sha256", "sha256sum", "256", 64};

}  // namespace brelker

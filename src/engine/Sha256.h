#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

namespace brelker {

// SHA-256 through libcrypto, which uses the processor's SHA instructions where
// it has them. One object hashes one stream of bytes at a time.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const char* data, std::size_t count);
    // The digest of everything since the last call as 64 lower-case hex
    // digits; the object then starts a new stream.
    std::string HexDigest();

private:
    evp_md_ctx_st* context_;
};

// The digest of one string of bytes.
std::string Sha256Hex(std::string_view bytes);

// True for 64 lower-case hex digits.
bool IsHexDigest(std::string_view text);

}  // namespace brelker

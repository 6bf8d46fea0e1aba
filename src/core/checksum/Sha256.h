#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#ifndef _WIN32
struct evp_md_ctx_st;
#endif

namespace brelker {

// SHA-256 through libcrypto, or on Windows through the system's own CNG; both
// use the processor's SHA instructions where it has them. One object hashes
// one stream of bytes at a time.
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
#ifdef _WIN32
    void Restart();
    void* context_ = nullptr;  // a BCRYPT_HASH_HANDLE
#else
    evp_md_ctx_st* context_;
#endif
};

// The digest of one string of bytes.
std::string Sha256Hex(std::string_view bytes);

// True for 64 lower-case hex digits.
bool IsHexDigest(std::string_view text);

}  // namespace brelker

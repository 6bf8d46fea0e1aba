#include "checksum/Sha256.h"

#include "checksum/DigestNames.h"

#include <algorithm>
#include <new>

#ifdef _WIN32
#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>
#else
#include <openssl/evp.h>
#endif

namespace brelker {
namespace {

std::string HexText(const unsigned char* digest, std::size_t length) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(kHex[digest[i] >> 4]);
        text.push_back(kHex[digest[i] & 0x0f]);
    }
    return text;
}

}  // namespace

#ifdef _WIN32

Sha256::Sha256() { Restart(); }

Sha256::~Sha256() {
    if (context_ != nullptr) {
        ::BCryptDestroyHash(context_);
    }
}

// A new hash object of the system's SHA-256 provider, which is opened once for
// the program.
void Sha256::Restart() {
    static const BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        return BCRYPT_SUCCESS(
                   ::BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))
                   ? opened
                   : nullptr;
    }();
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (provider == nullptr ||
        !BCRYPT_SUCCESS(::BCryptCreateHash(provider, &hash, nullptr, 0, nullptr, 0, 0))) {
        throw std::bad_alloc();
    }
    context_ = hash;
}

void Sha256::Update(const char* data, std::size_t count) {
    // BCryptHashData takes at most 4 GiB at once.
    constexpr std::size_t kLargest = std::size_t{1} << 30;
    while (count > 0) {
        const std::size_t chunk = std::min(count, kLargest);
        ::BCryptHashData(context_, reinterpret_cast<PUCHAR>(const_cast<char*>(data)),
                         static_cast<ULONG>(chunk), 0);
        data += chunk;
        count -= chunk;
    }
}

std::string Sha256::HexDigest() {
    unsigned char digest[32] = {};
    ::BCryptFinishHash(context_, digest, sizeof digest, 0);  // the object is spent
    ::BCryptDestroyHash(context_);
    context_ = nullptr;
    Restart();
    return HexText(digest, sizeof digest);
}

#else

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
    if (context_ == nullptr || EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_);
        throw std::bad_alloc();
    }
}

Sha256::~Sha256() { EVP_MD_CTX_free(context_); }

void Sha256::Update(const char* data, std::size_t count) {
    if (count > 0) {
        EVP_DigestUpdate(context_, data, count);
    }
}

std::string Sha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_, digest, &length);
    EVP_DigestInit_ex(context_, EVP_sha256(), nullptr);
    return HexText(digest, length);
}

#endif

std::string Sha256Hex(std::string_view bytes) {
    Sha256 hash;
    hash.Update(bytes.data(), bytes.size());
    return hash.HexDigest();
}

bool IsHexDigest(std::string_view text) {
    if (text.size() != kSeriesDigest.hexDigits) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

}  // namespace brelker

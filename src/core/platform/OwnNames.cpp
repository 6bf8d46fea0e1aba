#include "platform/OwnNames.h"

#include "platform/Paths.h"
#include "platform/ShortHash.h"

namespace brelker {
namespace {

constexpr std::string_view kProgramMark = ".brelker-";
constexpr std::string_view kTemporaryTag = "tmp-";

// Where the name starts: after path's last separator.
std::size_t NameStart(const std::string& path) {
    std::size_t start = path.size();
    while (start > 0 && !IsPathSeparator(path[start - 1])) {
        --start;
    }
    return start;
}

// At most size bytes of text, ending at a character's end, not inside one.
std::string_view CutAtCharacter(std::string_view text, std::size_t size) {
    if (text.size() <= size) {
        return text;
    }
    // A UTF-8 continuation byte is 10xxxxxx.
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) {
        --size;
    }
    return text.substr(0, size);
}

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string OwnNameBeside(const std::string& path, std::string_view tag, bool hidden) {
    const std::size_t start = NameStart(path);
    const std::string_view name = std::string_view(path).substr(start);
    const std::string_view dot = hidden ? "." : "";
    std::string own =
        std::string(dot) + std::string(name) + std::string(kProgramMark) + std::string(tag);
    if (own.size() > kLongestOwnName) {
        const std::string digest = "~" + ShortHash(name);
        const std::size_t room =
            kLongestOwnName - dot.size() - digest.size() - kProgramMark.size() - tag.size();
        own = std::string(dot) + std::string(CutAtCharacter(name, room)) + digest +
              std::string(kProgramMark) + std::string(tag);
    }
    return path.substr(0, start) + own;
}

std::string TemporaryPattern(const std::string& path) {
    return OwnNameBeside(path,
                         std::string(kTemporaryTag) + std::string(kTemporaryRandomLength, 'X'));
}

bool IsTemporaryOf(const std::string& name, const std::string& path) {
    const std::string pattern = BareFileName(TemporaryPattern(path));
    if (name.size() != pattern.size()) {
        return false;
    }
    const std::size_t fixed = pattern.size() - kTemporaryRandomLength;
    if (name.compare(0, fixed, pattern, 0, fixed) != 0) {
        return false;
    }
    for (std::size_t i = fixed; i < name.size(); ++i) {
        if (!IsLetterOrDigit(name[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace brelker

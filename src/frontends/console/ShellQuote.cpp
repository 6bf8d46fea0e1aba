#include "console/ShellQuote.h"

#include <cstdio>
#include <string_view>

namespace brelker {
namespace {

// The length of the UTF-8 sequence that starts at text[at]; 0 when it is none.
std::size_t SequenceAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// How many bytes from at on form a control character: C0 and DEL, C1 as UTF-8
// (U+0080 to U+009F) and the bytes of C1 that stand alone, outside any UTF-8
// sequence, where an 8-bit terminal takes them as controls. 0 for anything else.
std::size_t ControlAt(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) {
        return 1;
    }
    const std::size_t sequence = SequenceAt(text, at);
    if (sequence == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
        return 2;
    }
    return sequence == 0 && byte >= 0x80 && byte < 0xA0 ? 1 : 0;
}

bool HoldsControl(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (ControlAt(text, at) > 0) {
            return true;
        }
    }
    return false;
}

std::string Escaped(unsigned char byte) {
    switch (byte) {
        case '\a':
            return "\\a";
        case '\b':
            return "\\b";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\v':
            return "\\v";
        case '\f':
            return "\\f";
        case '\r':
            return "\\r";
        default:
            break;
    }
    char octal[8];
    std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(byte));
    return octal;
}

// Runs of ordinary characters in single quotes (a quote itself as '\''),
// runs of control characters in $'...' with their escapes.
std::string ShellQuoted(std::string_view text) {
    if (text.empty()) {
        return "''";
    }
    std::string quoted;
    std::string plain;
    std::string controls;
    const auto flushPlain = [&] {
        if (!plain.empty()) {
            quoted += "'" + plain + "'";
            plain.clear();
        }
    };
    const auto flushControls = [&] {
        if (!controls.empty()) {
            quoted += "$'" + controls + "'";
            controls.clear();
        }
    };
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t control = ControlAt(text, at); control > 0) {
            flushPlain();
            for (std::size_t k = 0; k < control; ++k) {
                controls += Escaped(static_cast<unsigned char>(text[at + k]));
            }
            at += control;
            continue;
        }
        flushControls();
        plain += text[at] == '\'' ? std::string("'\\''") : std::string(1, text[at]);
        ++at;
    }
    flushPlain();
    flushControls();
    return quoted;
}

}  // namespace

std::string QuotedName(const std::string& name) {
    return HoldsControl(name) ? ShellQuoted(name) : name;
}

std::string QuotedArgument(const std::string& argument) { return ShellQuoted(argument); }

}  // namespace brelker

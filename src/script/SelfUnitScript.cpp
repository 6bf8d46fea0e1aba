#include "script/SelfUnitScript.h"

#include "platform/Paths.h"
#include "text/Encoding.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

const std::string kRule = "echo " + std::string(59, '=') + "\n";

// A name the command interpreter cannot be made to read as just a name.
bool CanBeMadeSafe(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"' || c == '*' || c == '?' || c == '\\' ||
            c == ':' || c == kPathSeparator) {
            return false;
        }
    }
    return EncodeText(name, CodePage::Oem850).has_value();
}

// Inside double quotes only "%" still means something in a batch file.
std::string Quoted(const std::string& name) {
    std::string out = "\"";
    for (const char c : name) {
        out += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return out + "\"";
}

// Unquoted after echo, the command characters need a caret and "%" doubling.
std::string Echoed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%') {
            out += "%%";
        } else if (c == '^' || c == '&' || c == '|' || c == '<' || c == '>') {
            out += '^';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Piece(const SelfUnitInput& input, int number) {
    return Quoted(input.stemName + input.suffix + std::to_string(number));
}

}  // namespace

std::optional<std::vector<std::string>> ComposeSelfUnitScript(const SelfUnitInput& input) {
    for (const std::string* name :
         {&input.scriptName, &input.bigName, &input.stemName, &input.suffix}) {
        if (!CanBeMadeSafe(*name)) {
            return std::nullopt;
        }
    }
    const std::string big = Quoted(input.bigName);
    const std::string bytes = std::to_string(input.bigBytes);
    std::vector<std::string> units = {
        "@echo off\n",
        kRule,
        "echo " + Text(266) + ": " + Echoed(input.bigName) + " (" + bytes + " bytes)\n",
        "echo " + Text(254) + Text(72) + "; " + Echoed(input.dateTime) + "\n",
        "echo ...\n",
    };
    for (int slot = 261; slot <= 264; ++slot) {
        units.push_back("echo " + Text(slot) + "\n");
    }
    units.push_back(kRule + "\n");
    units.push_back("pause\n\n");
    units.push_back("echo " + Text(38) + "\n\n");

    // Never more than two sources to a copy, and each piece deleted right after the
    // copy that used it: the disk never holds all pieces and the whole file at once.
    if (input.pieceCount >= 2) {
        units.push_back("copy/b " + Piece(input, 1) + " + " + Piece(input, 2) + " " + big + "\n");
        if (input.removeSmallFiles) {
            units.push_back("del " + Piece(input, 1) + "\n");
            units.push_back("del " + Piece(input, 2) + "\n");
        }
    } else {
        units.push_back("copy/b " + Piece(input, 1) + " " + big + "\n");
        if (input.removeSmallFiles) {
            units.push_back("del " + Piece(input, 1) + "\n");
        }
    }
    for (int k = 3; k <= input.pieceCount; ++k) {
        std::string unit = "copy/b " + big + " + " + Piece(input, k) + " " + big + "\n";
        if (input.removeSmallFiles) {
            unit += "del " + Piece(input, k) + "\n";
        }
        units.push_back(std::move(unit));
    }

    units.push_back("\nif exist " + big + " echo " + Text(71) + "\n");
    units.push_back("if not exist " + big + " echo " + Text(85) + "\n");
    units.push_back("\nif exist " + big + " dir " + big + "\n");
    units.push_back("if exist " + big + " echo " + Text(267) + Echoed(input.bigName) + "\n");
    units.push_back("if exist " + big + " echo " + Text(259) + bytes + " bytes" + Text(268) +
                    ".\n");
    units.push_back(std::string(input.removeSelfUnit ? "" : "REM ") + "del " +
                    Quoted(input.scriptName) + "\n");
    return units;
}

std::optional<std::string> EncodeSelfUnitScript(const std::vector<std::string>& units) {
    std::string file;
    for (const std::string& unit : units) {
        const std::optional<std::string> encoded = EncodeText(unit, CodePage::Oem850);
        if (!encoded) {
            return std::nullopt;
        }
        for (const char c : *encoded) {
            if (c == '\n') {
                file += '\r';
            }
            file += c;
        }
    }
    return file;
}

}  // namespace brelker

#include "script/SelfUnitScript.h"

#include <algorithm>

#include "engine/PieceNames.h"
#include "text/Encoding.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

const std::string kRule = "echo " + std::string(59, '=') + "\n";
const std::string kFailedLabel = "brelker_failed";

bool Unsafe(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"' || c == '*' || c == '?' || c == '\\' ||
            c == ':' || c == '/') {
            return true;
        }
    }
    return false;
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
// So do the parentheses: after "if", cmd takes "x(echo hi).bin" as a block and
// runs what is inside.
std::string Echoed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%') {
            out += "%%";
        } else if (c == '^' || c == '&' || c == '|' || c == '<' || c == '>' || c == '(' ||
                   c == ')') {
            out += '^';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Piece(const SelfUnitInput& input, int number) {
    return Quoted(PieceName(input.stemName, input.suffix, number));
}

// One line that runs command unless the file has exactly bytes bytes. The
// size is compared as text, so sizes past 2 GiB need no arithmetic; a missing
// file has an empty size.
std::string UnlessSize(const std::string& name, std::int64_t bytes, const std::string& command) {
    return "for %%F in (" + Quoted(name) + ") do if not \"%%~zF\"==\"" + std::to_string(bytes) +
           "\" " + command + "\n";
}

}  // namespace

std::int64_t PieceBytes(const SelfUnitInput& input, int number) {
    const auto index = static_cast<std::size_t>(number);
    return number >= 1 && index < input.pieceBytes.size() ? input.pieceBytes[index] : 0;
}

std::int64_t BytesUpTo(const SelfUnitInput& input, int number) {
    std::int64_t total = 0;
    for (int k = 1; k <= number; ++k) {
        total += PieceBytes(input, k);
    }
    return total;
}

BatchRefusal CheckBatchNames(const SelfUnitInput& input) {
    BatchRefusal refusal = BatchRefusal::None;
    for (const std::string* name :
         {&input.scriptName, &input.bigName, &input.stemName, &input.suffix}) {
        if (Unsafe(*name)) {
            return BatchRefusal::NameUnsafe;
        }
        if (!EncodeText(*name, CodePage::Oem850)) {
            refusal = BatchRefusal::NameNotInCodePage;
        }
    }
    return refusal;
}

std::optional<std::vector<std::string>> ComposeSelfUnitScript(const SelfUnitInput& input) {
    if (CheckBatchNames(input) != BatchRefusal::None) {
        return std::nullopt;
    }
    const int count = std::max(input.pieceCount, 1);
    const std::string big = Quoted(input.bigName);
    const std::string bytes = std::to_string(input.bigBytes);
    std::vector<std::string> units = {
        "@echo off\n",
        kRule,
        "echo " + Text(slot::kSelfUnitFor) + ": " + Echoed(input.bigName) + " (" + bytes +
            " bytes)\n",
        "echo " + Text(slot::kCreatedBy) + Text(slot::kProgramName) + "; " +
            Echoed(input.dateTime) + "\n",
        "echo ...\n",
    };
    for (int number = slot::kSelfUnitPlacementFirst.number;
         number <= slot::kSelfUnitPlacementLast.number; ++number) {
        units.push_back("echo " + Text(TextSlot(number)) + "\n");
    }
    units.push_back(kRule + "\n");
    units.push_back("pause\n\n");
    units.push_back("echo " + Text(slot::kJoining) + "\n\n");

    // Every missing piece and every piece of the wrong size is named before
    // anything is copied or deleted: the first copy/b replaces a file of the
    // big file's name, so it runs only when all pieces can make the whole.
    std::string missing;
    std::string wrongSize;
    std::string stop;
    std::string stopSize;
    for (int k = 1; k <= count; ++k) {
        const std::string piece = PieceName(input.stemName, input.suffix, k);
        const std::int64_t size = PieceBytes(input, k);
        missing += "if not exist " + Quoted(piece) + " echo " +
                   Echoed(Text(slot::kSmallFileMissing)) + Echoed(piece) + "\n";
        wrongSize += "if exist " + Quoted(piece) + " " +
                     UnlessSize(piece, size,
                                "echo " + Echoed(Text(slot::kSmallFileWrongSize)) + Echoed(piece));
        stop += "if not exist " + Quoted(piece) + " goto " + kFailedLabel + "\n";
        stopSize += UnlessSize(piece, size, "goto " + kFailedLabel);
    }
    units.push_back(missing + wrongSize + stop + stopSize);

    // Never more than two sources to a copy, and each piece deleted right after the
    // copy that used it: the disk never holds all pieces and the whole file at once.
    // A piece is deleted only when the big file holds exactly the bytes of the
    // pieces so far, so a short or failed copy leaves every piece not yet in it.
    const auto grown = [&](int k) {
        return input.removeSmallFiles
                   ? UnlessSize(input.bigName, BytesUpTo(input, k), "goto " + kFailedLabel)
                   : std::string();
    };
    if (count >= 2) {
        units.push_back("copy/b " + Piece(input, 1) + " + " + Piece(input, 2) + " " + big + "\n" +
                        grown(2));
        if (input.removeSmallFiles) {
            units.push_back("del " + Piece(input, 1) + "\n");
            units.push_back("del " + Piece(input, 2) + "\n");
        }
    } else {
        units.push_back("copy/b " + Piece(input, 1) + " " + big + "\n" + grown(1));
        if (input.removeSmallFiles) {
            units.push_back("del " + Piece(input, 1) + "\n");
        }
    }
    for (int k = 3; k <= count; ++k) {
        std::string unit = "copy/b " + big + " + " + Piece(input, k) + " " + big + "\n" + grown(k);
        if (input.removeSmallFiles) {
            unit += "del " + Piece(input, k) + "\n";
        }
        units.push_back(std::move(unit));
    }

    // A file that exists is not yet restored: only its full size is.
    units.push_back("\nfor %%F in (" + big + ") do if \"%%~zF\"==\"" + bytes + "\" echo " +
                    Text(slot::kFileRestored) + "\n");
    units.push_back(
        UnlessSize(input.bigName, input.bigBytes, "echo " + Text(slot::kBigFileNotRestored)));
    units.push_back("\nif exist " + big + " dir " + big + "\n");
    units.push_back("if exist " + big + " echo " + Text(slot::kCheckSizeOf) +
                    Echoed(input.bigName) + "\n");
    units.push_back("if exist " + big + " echo " + Text(slot::kItShouldBe) + bytes + " bytes" +
                    Text(slot::kItShouldBeEnd) + ".\n");
    // The script deletes itself last, and only after a restore: a failed run
    // leaves it to be run again once the pieces are mended.
    units.push_back(UnlessSize(input.bigName, input.bigBytes, "goto :eof") +
                    "goto brelker_restored\n:" + kFailedLabel + "\necho " +
                    Text(slot::kBigFileNotRestored) + "\ngoto :eof\n:brelker_restored\n");
    units.push_back(std::string(input.removeSelfUnit ? "" : "REM ") + "del " +
                    Quoted(input.scriptName) + "\n");
    return units;
}

// The file is written for code page 850, the OEM page of Western European
// consoles. Wine's cmd reads it as code page 437: the letters of our three
// languages (å ä ö ü ß é and their capitals) are the same bytes in both, but
// ø Ø Á Â À ã Ã ð Ð Ê Ë È ı Í Î Ï Ì Ó Ô Ò õ Õ þ Þ Ú Û Ù ý Ý of page 850 read as
// other signs there.
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

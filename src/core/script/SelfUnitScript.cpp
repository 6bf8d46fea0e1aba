#include "script/SelfUnitScript.h"

#include <algorithm>

#include "checksum/DigestNames.h"
#include "checksum/Sha256.h"

#include "text/Encoding.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

const std::string kRule = "echo " + std::string(59, '=') + "\n";

std::string ScriptDigest(const std::string& digest) { return IsHexDigest(digest) ? digest : ""; }
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

// The pieces are joined under a name of the script's own, chosen where it runs
// from the names that are free there; the big file's name is taken by a move
// only once the whole is there and, where it can be, proven.
const std::string kTemporary = "\"%brelker_tmp%\"";

// certutil prints a digest as hex digits since Windows 10 and with a
// blank between the bytes before; Wine's certutil prints nothing at all.
std::string WithBlanks(const std::string& digest) {
    std::string out;
    for (std::size_t i = 0; i < digest.size(); i += 2) {
        out += (i == 0 ? "" : " ") + digest.substr(i, 2);
    }
    return out;
}

// Sets brelker_match when certutil gives the file named in brelker_file this
// digest. The name reaches certutil through the variable, which the command
// interpreter that runs certutil expands and takes as it is; a certutil.bat
// found first on the path runs there too and hands control back.
std::string HashCheck(const std::string& name, const std::string& digest) {
    return "set \"brelker_file=" + name + "\"\ncall :brelker_hash " + digest + " \"" +
           WithBlanks(digest) + "\"\n";
}

// What the file holds before anything is joined into it (echo ends its line
// with CR LF), and its digest: a certutil that gives this digest for it can be
// trusted to check the rest.
const std::string kProbeCommand = ">" + kTemporary + " echo brelker\n";
std::string ProbeDigest() { return Sha256Hex("brelker\r\n"); }

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

std::string PieceDigest(const SelfUnitInput& input, int number) {
    const auto index = static_cast<std::size_t>(number);
    return number >= 1 && index < input.pieceDigests.size()
               ? ScriptDigest(input.pieceDigests[index])
               : std::string();
}

std::string WholeDigest(const SelfUnitInput& input) { return ScriptDigest(input.wholeDigest); }

bool HasDigests(const SelfUnitInput& input) {
    bool digests = !WholeDigest(input).empty();
    for (int k = 1; k <= std::max(input.pieceCount, 1); ++k) {
        digests = digests || !PieceDigest(input, k).empty();
    }
    return digests;
}

std::int64_t SizeCountingItself(std::int64_t rest) {
    std::int64_t size = rest + 1;
    while (static_cast<std::int64_t>(std::to_string(size).size()) != size - rest) {
        ++size;
    }
    return size;
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
    const std::string bigInner = big.substr(1, big.size() - 2);
    const std::string bytes = std::to_string(input.bigBytes);
    const bool digests = HasDigests(input);
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

    // The variables are the script's own and go with it; one of the user's of
    // the same name must not name a file for the script to delete.
    units.push_back(std::string("setlocal\nset brelker_tmp=\n") +
                    (digests ? "set brelker_verify=\nset brelker_bad=\n" : ""));

    // Every missing piece and every piece of the wrong size is named before
    // anything is copied or deleted.
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
    units.push_back(":brelker_name\nset brelker_tmp=brelker-%RANDOM%.tmp\nif exist " + kTemporary +
                    " goto brelker_name\n");

    // A piece of the right size can still hold other bytes. Where certutil
    // answers, every piece is checked before the first copy; where it does not,
    // nothing can be proven and nothing is deleted.
    if (digests) {
        std::string check = kProbeCommand + HashCheck("%brelker_tmp%", ProbeDigest()) +
                            "if defined brelker_match set brelker_verify=1\n"
                            "if not defined brelker_verify goto brelker_copy\n";
        for (int k = 1; k <= count; ++k) {
            const std::string digest = PieceDigest(input, k);
            if (digest.empty()) {
                continue;
            }
            const std::string piece = PieceName(input.stemName, input.suffix, k);
            const std::string quoted = Quoted(piece);
            check += HashCheck(quoted.substr(1, quoted.size() - 2), digest) +
                     "if not defined brelker_match echo " + Echoed(Text(slot::kChecksumDiffers)) +
                     Echoed(piece) + "\nif not defined brelker_match set brelker_bad=1\n";
        }
        units.push_back(check + "if defined brelker_bad goto " + kFailedLabel +
                        "\n:brelker_copy\n");
    }

    // Never more than two sources to a copy.
    if (count >= 2) {
        units.push_back("copy/b " + Piece(input, 1) + " + " + Piece(input, 2) + " " + kTemporary +
                        "\n");
    } else {
        units.push_back("copy/b " + Piece(input, 1) + " " + kTemporary + "\n");
    }
    for (int k = 3; k <= count; ++k) {
        units.push_back("copy/b " + kTemporary + " + " + Piece(input, k) + " " + kTemporary + "\n");
    }
    units.push_back("for %%F in (" + kTemporary + ") do if not \"%%~zF\"==\"" + bytes + "\" goto " +
                    kFailedLabel + "\n");
    if (const std::string whole = WholeDigest(input); !whole.empty()) {
        units.push_back("if not defined brelker_verify goto brelker_place\n" +
                        HashCheck("%brelker_tmp%", whole) + "if not defined brelker_match echo " +
                        Echoed(Text(slot::kChecksumDiffers)) + Echoed(input.bigName) +
                        "\nif not defined brelker_match goto " + kFailedLabel + "\n");
    }

    // move would put the file inside a folder of the big file's name. Bytes
    // that could not be proven never replace a file that is there: they are
    // kept beside it under a new name.
    std::string place =
        ":brelker_place\nif exist \"" + bigInner + "\\*\" goto " + kFailedLabel + "\n";
    if (digests) {
        place += "if not defined brelker_verify if exist " + big + " goto brelker_keep\n";
    }
    place += "move /y " + kTemporary + " " + big + " >nul\nif exist " + kTemporary + " goto " +
             kFailedLabel + "\n" +
             UnlessSize(input.bigName, input.bigBytes, "goto " + kFailedLabel);
    if (digests) {
        place += "if not defined brelker_verify goto brelker_unverified\n";
    }
    units.push_back(place);
    // The pieces go only now: the whole file is in place, of its size, and
    // where there are digests, proven by them.
    if (input.removeSmallFiles) {
        std::string remove;
        for (int k = 1; k <= count; ++k) {
            remove += "del " + Piece(input, k) + "\n";
        }
        units.push_back(remove);
    }

    units.push_back("\nfor %%F in (" + big + ") do if \"%%~zF\"==\"" + bytes + "\" echo " +
                    Text(slot::kFileRestored) + "\n");
    units.push_back(
        UnlessSize(input.bigName, input.bigBytes, "echo " + Text(slot::kBigFileNotRestored)));
    units.push_back("\nif exist " + big + " dir " + big + "\n");
    units.push_back("if exist " + big + " echo " + Text(slot::kCheckSizeOf) +
                    Echoed(input.bigName) + "\n");
    units.push_back("if exist " + big + " echo " + Text(slot::kItShouldBe) + bytes + " bytes" +
                    Text(slot::kItShouldBeEnd) + ".\n");
    units.push_back("goto brelker_restored\n");

    if (digests) {
        // Unproven bytes keep the pieces and the script: a receiver with a
        // certutil that answers can still check them.
        const std::string kept = bigInner + ".restored%brelker_n%";
        units.push_back(":brelker_keep\nset brelker_n=\n:brelker_next\nif not exist \"" + kept +
                        "\" goto brelker_kept\nset /a brelker_n-=1\ngoto brelker_next\n"
                        ":brelker_kept\nmove /y " +
                        kTemporary + " \"" + kept + "\" >nul\nif exist " + kTemporary + " goto " +
                        kFailedLabel + "\necho " + Echoed(Text(slot::kBatchRestoredNotVerified)) +
                        "\necho " + Echoed(Text(slot::kRestoredUnderNewName)) +
                        Echoed(input.bigName) +
                        ".restored%brelker_n%\ngoto :eof\n"
                        ":brelker_unverified\necho " +
                        Echoed(Text(slot::kBatchRestoredNotVerified)) + "\ngoto :eof\n");
        units.push_back(
            ":brelker_hash\nset brelker_match=\nfor /f \"delims=\" %%H in "
            "('certutil -hashfile \"%%brelker_file%%\" " +
            std::string(kSeriesDigest.tag) +
            " 2^>nul') do (\n"
            "if /i \"%%H\"==\"%~1\" set brelker_match=1\n"
            "if /i \"%%H\"==%2 set brelker_match=1\n)\ngoto :eof\n");
    }
    // A failed run leaves no file of its own behind, and the script stays to
    // be run again once the pieces are mended.
    units.push_back(":" + kFailedLabel + "\nif defined brelker_tmp if exist " + kTemporary +
                    " del " + kTemporary + "\necho " + Text(slot::kBigFileNotRestored) +
                    "\ngoto :eof\n:brelker_restored\n");

    // The script deletes itself last, and only after a restore, by the name it
    // was started as (a renamed script leaves a file of its old name alone),
    // and only where that file is the script itself.
    const std::optional<std::string> before = EncodeSelfUnitScript(units);
    if (!before) {
        return std::nullopt;
    }
    const std::string head = std::string(input.removeSelfUnit ? "" : "REM ") +
                             "for %%F in (\"%~f0\") do if \"%%~zF\"==\"";
    const std::string tail = "\" del \"%%~fF\"\n";
    const std::int64_t size = SizeCountingItself(static_cast<std::int64_t>(
        before->size() + head.size() + tail.size() + 1));  // + 1: the CR of the line end
    units.push_back(head + std::to_string(size) + tail);
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

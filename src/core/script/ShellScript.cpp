#include "script/ShellScript.h"

#include <algorithm>

#include "checksum/DigestNames.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

// Single quotes keep every byte but the single quote itself, newlines included.
std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::string Say(const std::string& text) { return "say " + Quoted(text) + "\n"; }

}  // namespace

std::string ComposeShellScript(const SelfUnitInput& input) {
    const int count = std::max(input.pieceCount, 1);
    const std::string big = Quoted(input.bigName);
    const std::string bytes = std::to_string(input.bigBytes);
    const std::string rule(59, '=');

    std::string script = "#!/bin/sh\nsay() { printf '%s\\n' \"$1\"; }\n";
    script += "fail() { say " + Quoted(Text(slot::kBigFileNotRestored)) + "; exit 1; }\n";
    script += Say(rule);
    script += Say(Text(slot::kSelfUnitFor) + ": " + input.bigName + " (" + bytes + " bytes)");
    script += Say(Text(slot::kCreatedBy) + Text(slot::kProgramName) + "; " + input.dateTime);
    script += Say("...");
    for (int number = slot::kShellScriptPlacementFirst.number;
         number <= slot::kShellScriptPlacementLast.number; ++number) {
        script += Say(Text(TextSlot(number)));
    }
    script += Say(rule) + Say("") + Say(Text(slot::kJoining));

    // The script is the file it was started as only where that file has the
    // script's size. Read from standard input or sourced, $0 names the shell,
    // and a file of that name is the user's: the script then works in the
    // current folder and removes nothing of its own. The size goes in last.
    script +=
        "\nbytes() { set -- $(wc -c <\"$1\"); printf '%s' \"${1-}\"; }\n"
        "\n# The pieces lie beside this script, wherever it is started from.\n"
        "self=\n"
        "if [ -f \"$0\" ] && [ \"$(bytes \"$0\")\" = ";
    const std::size_t sizeAt = script.size();
    script +=
        " ]; then\n"
        "    self=${0##*/}\n"
        "    case $0 in */*) cd -- \"${0%/*}/\" || fail ;; esac\n"
        "fi\n"
        "\n"
        "sum=\n"
        "if command -v " +
        std::string(kSeriesDigest.sumProgram) +
        " >/dev/null 2>&1; then sum=" + std::string(kSeriesDigest.sumProgram) +
        "\nelif command -v shasum >/dev/null 2>&1; then sum='shasum -a " +
        std::string(kSeriesDigest.shasumAlgorithm) +
        "'\nfi\n"
        "digest() { set -- $($sum <\"$1\"); printf '%s' \"${1-}\"; }\n"
        "\n"
        "# check NAME BYTES [SHA-256]: names a piece that is missing, short or damaged.\n"
        "ok=1\n"
        "check() {\n"
        "    if [ ! -f \"$1\" ]; then say " +
        Quoted(Text(slot::kSmallFileMissing)) +
        "\"$1\"; ok=\n"
        "    elif [ \"$(bytes \"$1\")\" != \"$2\" ]; then say " +
        Quoted(Text(slot::kSmallFileWrongSize)) +
        "\"$1\"; ok=\n"
        "    elif [ -n \"$sum\" ] && [ -n \"${3-}\" ] && [ \"$(digest \"$1\")\" != \"$3\" ]; then\n"
        "        say " +
        Quoted(Text(slot::kChecksumDiffers)) +
        "\"$1\"; ok=\n"
        "    fi\n"
        "}\n";
    for (int k = 1; k <= count; ++k) {
        script += "check " + Quoted(PieceName(input.stemName, input.suffix, k)) + " " +
                  std::to_string(PieceBytes(input, k));
        const std::string digest = PieceDigest(input, k);
        script += digest.empty() ? "\n" : " " + digest + "\n";
    }
    script += "[ -n \"$ok\" ] || fail\n";

    // The big file's name is taken only by a whole file, so an existing file of
    // that name survives every failure, and no piece is deleted before.
    script +=
        "\n# The pieces are joined under a name of our own, which no existing file has.\n"
        "tmp=.restore.$$.part\n"
        // In a subshell: a redirection that fails on a special built-in like
        // ":" ends a POSIX shell at once, with no word of why.
        "(set -C; : >\"$tmp\") 2>/dev/null || fail\n"
        "trap 'rm -f -- \"$tmp\"' EXIT\n"
        "trap 'exit 1' HUP INT TERM\n";
    for (int k = 1; k <= count; ++k) {
        script +=
            "cat <" + Quoted(PieceName(input.stemName, input.suffix, k)) + " >>\"$tmp\" || fail\n";
    }
    script += "[ \"$(bytes \"$tmp\")\" = " + bytes + " ] || fail\n";
    const std::string whole = WholeDigest(input);
    if (!whole.empty()) {
        script += "if [ -n \"$sum\" ] && [ \"$(digest \"$tmp\")\" != " + whole +
                  " ]; then\n    say " + Quoted(Text(slot::kChecksumDiffers) + input.bigName) +
                  "\n    fail\nfi\n";
    }
    // mv would put the file inside a folder of the big file's name.
    script += "[ ! -d " + big + " ] || fail\n";
    // Checksums that could not be checked prove nothing: the file is there,
    // but the pieces stay until a receiver with a tool has checked it, and a
    // file that had the big file's name is not replaced by it. Its new name is
    // claimed before the move, so that no file of that name is replaced either.
    if (HasDigests(input)) {
        const std::string kept = Quoted(input.bigName + ".restored");
        script +=
            "if [ -z \"$sum\" ]; then\n"
            "    if [ -e " +
            big + " ] || [ -L " + big +
            " ]; then\n"
            "        kept=" +
            kept +
            " n=0\n"
            "        until (set -C; : >\"$kept\") 2>/dev/null; do\n"
            "            n=$((n + 1)); [ \"$n\" -lt 100 ] || fail; kept=" +
            kept +
            "-$n\n"
            "        done\n"
            "        mv -f -- \"$tmp\" \"$kept\" || { rm -f -- \"$kept\"; fail; }\n"
            "        trap - EXIT\n"
            "        say " +
            Quoted(Text(slot::kRestoredNotVerified)) +
            "\n"
            "        say " +
            Quoted(Text(slot::kRestoredUnderNewName)) +
            "\"$kept\"\n"
            "        exit 2\n"
            "    fi\n"
            "    mv -f -- \"$tmp\" " +
            big +
            " || fail\n"
            "    trap - EXIT\n"
            "    say " +
            Quoted(Text(slot::kRestoredNotVerified)) +
            "\n"
            "    exit 2\n"
            "fi\n";
    }
    script += "mv -f -- \"$tmp\" " + big + " || fail\ntrap - EXIT\n";

    if (input.removeSmallFiles) {
        for (int k = 1; k <= count; ++k) {
            script += "rm -f -- " + Quoted(PieceName(input.stemName, input.suffix, k)) + "\n";
        }
    }
    script += Say(Text(slot::kFileRestored));
    if (input.removeSelfUnit) {
        script += "[ -z \"$self\" ] || rm -f -- \"$self\"\n";
    }
    script += "exit 0\n";
    return script.insert(
        sizeAt, std::to_string(SizeCountingItself(static_cast<std::int64_t>(script.size()))));
}

}  // namespace brelker

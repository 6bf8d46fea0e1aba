#include "script/RestoreScript.h"

#include "checksum/ChecksumFile.h"
#include "platform/OpenedFile.h"
#include "platform/Paths.h"
#include "script/SelfUnitScript.h"
#include "script/ShellScript.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

std::optional<std::string> BatchScript(const SelfUnitInput& input, ScriptResult& refusal) {
    switch (CheckBatchNames(input)) {
        case BatchRefusal::NameUnsafe:
            refusal = ScriptResult::NameUnsafe;
            return std::nullopt;
        case BatchRefusal::NameNotInCodePage:
            refusal = ScriptResult::NameNotInCodePage;
            return std::nullopt;
        case BatchRefusal::None:
            break;
    }
    const auto units = ComposeSelfUnitScript(input);
    const auto bytes = units ? EncodeSelfUnitScript(*units) : std::nullopt;
    if (!bytes) {
        refusal = ScriptResult::NameNotInCodePage;
    }
    return bytes;
}

// A file name as the system compares names: Windows ignores the case of letters.
std::string Folded(std::string name) {
#ifdef _WIN32
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
#endif
    return name;
}

}  // namespace

bool IsShellScriptPath(const std::string& path) { return BareFileName(path).ends_with(".sh"); }

std::string ScriptResultText(ScriptResult result, const std::string& path,
                             const std::string& reason) {
    const std::string notCreated = Text(slot::kSelfUnitNotCreated);
    switch (result) {
        case ScriptResult::NameUnsafe:
            return notCreated + "\n\n" + Text(slot::kBatchNameUnsafe);
        case ScriptResult::NameNotInCodePage:
            return notCreated + "\n\n" + Text(slot::kBatchNameNotInCodePage);
        case ScriptResult::NameTaken:
            return notCreated + "\n\n" + Text(slot::kScriptNameTaken) + path;
        case ScriptResult::NotCreated:
            return notCreated + "\n\n" + Text(slot::kScriptNotWritable) + path +
                   (reason.empty() ? std::string() : " (" + reason + ")");
        case ScriptResult::Created:
            return Text(slot::kSelfUnitCreated);
        case ScriptResult::Incomplete:
            break;
    }
    return notCreated;
}

std::string RestoreScript::ResultText(ScriptResult result) const {
    return ScriptResultText(result, lastPath_, lastReason_);
}

RestoreScript::RestoreScript(const Job& job, Platform& platform, ScriptView& view)
    : job_(job), platform_(platform), view_(view) {}

void RestoreScript::AskPathAndWrite(const std::string& joinPath, const ScriptOptions& options) {
    SelfUnitFileName = "SelfUnit.bat";
    const std::optional<std::string> path = view_.AskSavePath(
        Text(slot::kCreateSelfUnit), "*.bat|*.bat|" + Text(slot::kShellScriptFilter) + "|*.sh",
        joinPath, BareFileName(SelfUnitFileName));
    if (!path) {
        view_.SetStatus(Text(slot::kSelfUnitNotCreated));
        return;
    }
    WriteAndReport(*path, options);
}

ScriptResult RestoreScript::WriteAndReport(const std::string& path, const ScriptOptions& options) {
    const ScriptResult result = Write(path, options);
    if (result == ScriptResult::Created) {
        view_.SetSelfUnitEnabled(false);
        view_.SetStatus(ResultText(result));
    } else if (result == ScriptResult::NotCreated) {
        // The status panel holds a line: the path and the reason are for the
        // callers that report them (the command line, an unattended run).
        view_.SetStatus(Text(slot::kSelfUnitNotCreated));
    } else {
        view_.ShowMessage(ResultText(result), Text(slot::kAbnormalTermination),
                          MessageIcon::Warning);
    }
    return result;
}

bool RestoreScript::NameTaken(const std::string& path, const std::string& suffix) {
    const std::string name = Folded(BareFileName(path));
    // Run where it lies, the script writes the big file beside itself under its
    // bare name: a script of that name would be overwritten by what it
    // restores, or delete it as its last step.
    if (name == Folded(BareFileName(job_.BigFilePath))) {
        return true;
    }
    // Beside the pieces, a name of the series' pattern, whatever its number,
    // would be taken for a piece by the next join, and the checksum file is
    // what proves the series whole. Neither has to exist yet.
    const std::string& stem = job_.SmallFilesBase;
    if (platform_.SameFile(FolderOfPath(path), FolderOfPath(stem)) &&
        (PieceNumberOf(name, Folded(BareFileName(stem)), Folded(suffix)) > 0 ||
         name == Folded(BareFileName(ChecksumFilePath(stem))))) {
        return true;
    }
    // The same files under other names: a link, a second hard link, a path
    // through "..".
    if (platform_.KindOf(path, false) == FileKind::Missing) {
        return false;
    }
    const std::optional<std::string> identity = platform_.FileIdentity(path);
    const auto same = [&](const std::string& other) {
        return platform_.SameFile(path, other) || platform_.FileIdentity(other) == identity;
    };
    if (same(job_.BigFilePath) || same(ChecksumFilePath(stem))) {
        return true;
    }
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        if (same(PieceName(stem, suffix, k))) {
            return true;
        }
    }
    return false;
}

ScriptResult RestoreScript::Write(const std::string& path, const ScriptOptions& options) {
    lastPath_ = path;
    lastReason_.clear();
    // Checked before anything is composed or created: the script must never
    // replace a file that the series or its restore depends on.
    if (NameTaken(path, options.Suffix)) {
        return ScriptResult::NameTaken;
    }

    SelfUnitInput input;
    input.scriptName = BareFileName(path);
    input.bigName = BareFileName(job_.BigFilePath);
    input.bigBytes = job_.BigFileBytes;
    input.stemName = BareFileName(job_.SmallFilesBase);
    input.suffix = options.Suffix;
    input.pieceCount = job_.SmallFileCount;
    input.pieceBytes = job_.SmallFileSizes;
    input.pieceDigests = job_.PieceDigests;
    input.wholeDigest = job_.WholeDigest;
    input.removeSmallFiles = options.RemoveSmallFiles;
    input.removeSelfUnit = options.RemoveSelfUnit;
    input.dateTime = platform_.LocalDateTimeText();

    // A name the command interpreter would misread gets no batch script at all:
    // it could rebuild the wrong file or run something else. A shell script can
    // hold any name.
    ScriptResult refusal = ScriptResult::Created;
    const std::optional<std::string> bytes =
        IsShellScriptPath(path) ? ComposeShellScript(input) : BatchScript(input, refusal);
    if (!bytes) {
        return refusal;
    }

    OpenedFile file(platform_, platform_.CreateForWriting(path));
    if (!file) {
        // A link at the name is never followed: the system's word for that
        // ("too many levels of links") would not say so.
        lastReason_ = platform_.LastErrorText();
        if (platform_.KindOf(path, false) == FileKind::Link) {
            lastReason_ = Text(slot::kLinkNotWrittenThrough);
        }
        return ScriptResult::NotCreated;
    }
    // The file must hold exactly these bytes, on the disk itself: the writes,
    // the flush and the size on disk afterwards all have to say so.
    const std::int64_t size = static_cast<std::int64_t>(bytes->size());
    const std::optional<std::string> identity = platform_.HandleIdentity(file.Handle());
    bool complete = platform_.Write(file.Handle(), bytes->data(), size) == size;
    // Run by its name, as a receiver expects of a shell script. Where the mode
    // cannot be changed (a file system without modes) the script still works
    // as "sh NAME", so that is no failure.
    if (IsShellScriptPath(path)) {
        platform_.MakeExecutable(file.Handle());
    }
    complete = platform_.Flush(file.Handle()) && complete;
    file.Close();
    if (complete && platform_.FileSize(path) == size) {
        return ScriptResult::Created;
    }
    // Part of a script is worse than none: a receiver would run it. The file
    // goes, unless the name has meanwhile come to stand for another file.
    if (identity && platform_.FileIdentity(path) == identity) {
        platform_.DeleteFile(path);
    }
    return ScriptResult::Incomplete;
}

}  // namespace brelker

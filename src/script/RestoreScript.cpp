#include "script/RestoreScript.h"

#include "platform/Paths.h"
#include "script/SelfUnitScript.h"
#include "script/ShellScript.h"
#include "text/Slots.h"
#include "text/TextTable.h"

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

}  // namespace

bool IsShellScriptPath(const std::string& path) { return BareFileName(path).ends_with(".sh"); }

std::string ScriptResultText(ScriptResult result) {
    switch (result) {
        case ScriptResult::NameUnsafe:
            return Text(slot::kSelfUnitNotCreated) + "\n\n" + Text(slot::kBatchNameUnsafe);
        case ScriptResult::NameNotInCodePage:
            return Text(slot::kSelfUnitNotCreated) + "\n\n" + Text(slot::kBatchNameNotInCodePage);
        case ScriptResult::Created:
            return Text(slot::kSelfUnitCreated);
        case ScriptResult::NotCreated:
        case ScriptResult::Incomplete:
            break;
    }
    return Text(slot::kSelfUnitNotCreated);
}

RestoreScript::RestoreScript(const Job& job, Platform& platform, ScriptView& view)
    : job_(job), platform_(platform), view_(view) {}

void RestoreScript::CreateUnbrelkerFileClick(const std::string& joinPath,
                                             const ScriptOptions& options) {
    SelfUnitFileName = "SelfUnit.bat";
    const std::optional<std::string> path = view_.AskSavePath(
        Text(slot::kCreateSelfUnit), "*.bat|*.bat|" + Text(slot::kShellScriptFilter) + "|*.sh",
        joinPath, BareFileName(SelfUnitFileName));
    if (!path) {
        view_.SetStatus(Text(slot::kSelfUnitNotCreated));
        return;
    }
    WriteSelfUnitFile(*path, options);
}

ScriptResult RestoreScript::WriteSelfUnitFile(const std::string& path,
                                              const ScriptOptions& options) {
    const ScriptResult result = Write(path, options);
    if (result == ScriptResult::Created) {
        view_.SetSelfUnitEnabled(false);
        view_.SetStatus(ScriptResultText(result));
    } else if (result == ScriptResult::NotCreated) {
        view_.SetStatus(ScriptResultText(result));
    } else {
        view_.ShowMessage(ScriptResultText(result), Text(slot::kAbnormalTermination),
                          MessageIcon::Warning);
    }
    return result;
}

ScriptResult RestoreScript::Write(const std::string& path, const ScriptOptions& options) {
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

    const FileHandle file = platform_.CreateForWriting(path);
    if (file == kNoFile) {
        return ScriptResult::NotCreated;
    }
    // The file must hold exactly these bytes; what the writes report is not
    // trusted, the size on disk afterwards is.
    platform_.Write(file, bytes->data(), static_cast<std::int64_t>(bytes->size()));
    platform_.Close(file);
    return platform_.FileSize(path) == static_cast<std::int64_t>(bytes->size())
               ? ScriptResult::Created
               : ScriptResult::Incomplete;
}

}  // namespace brelker

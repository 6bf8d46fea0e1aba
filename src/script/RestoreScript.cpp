#include "script/RestoreScript.h"

#include "platform/Paths.h"
#include "script/SelfUnitScript.h"
#include "text/TextTable.h"

namespace brelker {

RestoreScript::RestoreScript(const Job& job, Platform& platform, ScriptView& view)
    : job_(job), platform_(platform), view_(view) {}

void RestoreScript::CreateUnbrelkerFileClick(const std::string& joinPath,
                                             const ScriptOptions& options) {
    SelfUnitFileName = "SelfUnit.bat";
    const std::optional<std::string> path =
        view_.AskSavePath(Text(253), "*.bat|*.bat", joinPath, BareFileName(SelfUnitFileName));
    if (!path) {
        view_.SetStatus(Text(351));
        return;
    }
    WriteSelfUnitFile(*path, options);
}

void RestoreScript::WriteSelfUnitFile(const std::string& path, const ScriptOptions& options) {
    SelfUnitInput input;
    input.scriptName = BareFileName(path);
    input.bigName = BareFileName(job_.BigFilePath);
    input.bigBytes = job_.BigFileBytes;
    input.stemName = BareFileName(job_.SmallFilesBase);
    input.suffix = options.Suffix;
    input.pieceCount = job_.SmallFileCount;
    input.removeSmallFiles = options.RemoveSmallFiles;
    input.removeSelfUnit = options.RemoveSelfUnit;
    input.dateTime = platform_.LocalDateTimeText();

    // A name the command interpreter would misread gets no script at all: it
    // could rebuild the wrong file or run something else.
    const auto units = ComposeSelfUnitScript(input);
    const auto bytes = units ? EncodeSelfUnitScript(*units) : std::nullopt;
    if (!bytes) {
        view_.ShowMessage(Text(351), Text(83), MessageIcon::Warning);
        return;
    }

    const FileHandle file = platform_.CreateForWriting(path);
    if (file == kNoFile) {
        view_.SetStatus(Text(351));
        return;
    }
    // The file must hold exactly these bytes; what the writes report is not
    // trusted, the size on disk afterwards is.
    platform_.Write(file, bytes->data(), static_cast<std::int64_t>(bytes->size()));
    platform_.Close(file);
    if (platform_.FileSize(path) == static_cast<std::int64_t>(bytes->size())) {
        view_.SetSelfUnitEnabled(false);
        view_.SetStatus(Text(255));
    } else {
        view_.ShowMessage(Text(351), Text(83), MessageIcon::Warning);
    }
}

}  // namespace brelker

#pragma once

#include <string>

#include "platform/Platform.h"
#include "script/ScriptView.h"
#include "settings/Settings.h"
#include "transfer/Job.h"

namespace brelker {

// The options of the main window that shape a script.
struct ScriptOptions {
    std::string Suffix{settings::AddedFileType.defaultValue};
    bool RemoveSmallFiles = settings::RemoveSmallFiles.defaultValue;
    bool RemoveSelfUnit = settings::RemoveSelfUnit.defaultValue;
};

// What came of writing a restore script.
enum class ScriptResult {
    Created,            // written and found complete on disk
    NotCreated,         // the file could not be created
    Incomplete,         // the file could not be written whole, and is removed
    NameUnsafe,         // refused: a batch file cannot hold a name safely
    NameNotInCodePage,  // refused: a batch file cannot write a name in its code page
    NameTaken,          // refused: the path is a file of the job or the file it restores
};

// A path whose name ends in ".sh" gets the POSIX shell script, any other the
// batch script.
bool IsShellScriptPath(const std::string& path);

// The text that reports a result, for a message box or an error stream: it
// names the script's path and, where the system gave one, the reason why the
// file could not be created.
std::string ScriptResultText(ScriptResult result, const std::string& path,
                             const std::string& reason = {});

// Writes the script that rebuilds the big file of the last split with the
// receiver's command interpreter or shell alone, and checks what it wrote.
class RestoreScript {
public:
    RestoreScript(const Job& job, Platform& platform, ScriptView& view);

    // Asks where the script goes (in the folder of the pieces, as SelfUnit.bat),
    // then writes it.
    void AskPathAndWrite(const std::string& joinPath, const ScriptOptions& options);
    // Writes the script to path and reports the outcome on the main window.
    ScriptResult WriteAndReport(const std::string& path, const ScriptOptions& options);
    // Writes the script to path and only returns the outcome, for runs that
    // must not show anything.
    ScriptResult Write(const std::string& path, const ScriptOptions& options);
    // The text of a result of the last write, with its path and reason.
    std::string ResultText(ScriptResult result) const;

    // The script's path: the dialog proposes it, the command line sets it.
    std::string SelfUnitFileName = "SelfUnit.bat";

private:
    // True when path is the big file, a piece, the checksum file or the file
    // the script restores, or would be taken for one of them.
    bool NameTaken(const std::string& path, const std::string& suffix);

    const Job& job_;
    Platform& platform_;
    ScriptView& view_;
    std::string lastPath_;
    std::string lastReason_;
};

}  // namespace brelker

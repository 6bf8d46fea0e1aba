#pragma once

#include <string>

#include "engine/Job.h"
#include "platform/Platform.h"
#include "script/ScriptView.h"

namespace brelker {

// The options of the main window that shape a script.
struct ScriptOptions {
    std::string Suffix = ".Brelked_";
    bool RemoveSmallFiles = false;
    bool RemoveSelfUnit = false;
};

// Writes the batch script that rebuilds the big file of the last split with the
// command interpreter alone, and checks what it wrote.
class RestoreScript {
public:
    RestoreScript(const Job& job, Platform& platform, ScriptView& view);

    // Asks where the script goes (in the folder of the pieces, as SelfUnit.bat),
    // then writes it.
    void CreateUnbrelkerFileClick(const std::string& joinPath, const ScriptOptions& options);
    // Writes the script to path and reports the outcome on the main window.
    void WriteSelfUnitFile(const std::string& path, const ScriptOptions& options);

    // The script's path: the dialog proposes it, the command line sets it.
    std::string SelfUnitFileName = "SelfUnit.bat";

private:
    const Job& job_;
    Platform& platform_;
    ScriptView& view_;
};

}  // namespace brelker

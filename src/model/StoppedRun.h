#pragma once

#include <optional>
#include <string>

#include "model/Dialogs.h"
#include "platform/Platform.h"
#include "transfer/Engine.h"
#include "transfer/Job.h"
#include "transfer/Resume.h"

namespace brelker {

// The words for what a split or a join about to start found of the same run
// that stopped before it: the window's question, the command line's refusal
// (which names the file to remove to start afresh), and why a run asked to
// continue starts afresh after all.
std::string StoppedRunQuestion(const ResumePoint& point, bool split, const Job& job);
std::string StoppedRunRefusal(const ResumePoint& point, bool split, const Job& job);
std::string AfreshText(ResumeChange change);

// The options of a run that continues what the same run left, or not.
inline TransferOptions Resuming(TransferOptions options, bool resume) {
    options.Resume = resume;
    return options;
}

// Asks whether the split or join of the job continues what the same run left
// when it stopped: true to continue, false to start afresh (a split's old
// pieces are removed first), nothing when the user cancelled. What the same
// run left for another file, plan or list is not asked about: the run starts
// afresh, and the user is told why.
std::optional<bool> AskToContinueStoppedRun(DialogService& dialogs, Platform& platform,
                                            const Job& job, const std::string& suffix, bool split);

}  // namespace brelker

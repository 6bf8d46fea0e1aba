#include "model/StoppedRun.h"

#include "checksum/ChecksumFile.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

std::string PlannedText(const ResumePoint& point) {
    return point.planned > 0 ? std::to_string(point.planned) : "?";
}

}  // namespace

std::string StoppedRunQuestion(const ResumePoint& point, bool split, const Job& job) {
    return TextWith(split ? slot::kSplitStoppedQuestion : slot::kJoinStoppedQuestion,
                    {job.BigFilePath, std::to_string(point.done), PlannedText(point)});
}

std::string StoppedRunRefusal(const ResumePoint& point, bool split, const Job& job) {
    const std::string record =
        split ? ChecksumFilePath(job.SmallFilesBase) : JoinRecordPath(job.BigFilePath);
    return TextWith(split ? slot::kSplitStoppedUseResume : slot::kJoinStoppedUseResume,
                    {job.BigFilePath, std::to_string(point.done), PlannedText(point), record});
}

std::string AfreshText(ResumeChange change) {
    TextSlot why = slot::kResumeNotPossible;
    if (change == ResumeChange::BigFileChanged) {
        why = slot::kResumeBigFileChanged;
    } else if (change == ResumeChange::PlanChanged) {
        why = slot::kResumePlanChanged;
    } else if (change == ResumeChange::ListChanged) {
        why = slot::kResumeListChanged;
    }
    return Text(slot::kResumeAfresh) + Text(why);
}

std::optional<bool> AskToContinueStoppedRun(DialogService& dialogs, Platform& platform,
                                            const Job& job, const std::string& suffix, bool split) {
    const ResumePoint point =
        split ? FindSplitResume(platform, job, suffix) : FindJoinResume(platform, job, suffix);
    if (point.state == ResumePoint::State::Changed) {
        dialogs.Message(AfreshText(point.change), Text(slot::kProgramName),
                        MessageIcon::Information, MessageButtons::Ok);
    }
    if (!point.Found()) {
        return false;
    }
    switch (
        dialogs.AskYesNoCancel(StoppedRunQuestion(point, split, job), Text(slot::kProgramName))) {
        case Answer::Yes:
            return true;
        case Answer::No:
            if (split) {
                RemoveStoppedSplit(platform, job, suffix, point);
            }
            return false;
        case Answer::Cancel:
            break;
    }
    return std::nullopt;
}

}  // namespace brelker

#include "console/ConsoleRun.h"

#include "console/ConsoleArguments.h"
#include "console/ConsoleHost.h"
#include "console/ResultText.h"
#include "engine/Engine.h"
#include "engine/PieceNames.h"
#include "engine/Series.h"
#include "plan/BaseSizes.h"
#include "plan/PieceSizes.h"
#include "plan/SizePlan.h"
#include "platform/Paths.h"
#include "platform/Version.h"
#include "script/RestoreScript.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The help, line by line, in the order it is shown.
constexpr int kHelpSlots[] = {400, 401, 402, 403, 404, 405,
                              406, 407, 408, 409, 410, 411,
                              412, 413, 414, 415, 416, slot::kUsageForce,
                              417, 418, 419, 420, 421, slot::kUsageNoDeletion,
                              424};

std::string FailureText(const Engine& engine, int code, int failureSlot) {
    std::string text = TransferFailureText(code, failureSlot, engine.MismatchedFile(),
                                           engine.ChecksumFileProblem());
    if (const std::string& path = engine.MismatchedFile();
        !path.empty() && text.find(path) == std::string::npos) {
        text += (text.ends_with(' ') ? "" : ": ") + path;
    }
    if (!engine.FailureReason().empty()) {
        text += ": " + engine.FailureReason();
    }
    return text;
}

class ConsoleRun {
public:
    ConsoleRun(const ConsoleRequest& request, Platform& platform, const SettingsStore& store,
               ConsoleHost& host)
        : request_(request), platform_(platform), store_(store), host_(host) {
        options_.MaxFromRAM = store.Read(settings::MaxFromRAM);
        options_.MaxFromFile = store.Read(settings::MaxFromFile);
        options_.Suffix = store.Read(settings::AddedFileType);
        // Nobody is there to change a disk, and nothing is deleted unasked.
        options_.PauseMode = PauseMode::Never;
        options_.WriteChecksumFile = !request.noChecksum;
    }

    int Split();
    int Join();
    int Verify();

private:
    int Finish(const Engine& engine, int code, int successSlot, int failureSlot);
    std::optional<std::int64_t> BaseSize();

    const ConsoleRequest& request_;
    Platform& platform_;
    const SettingsStore& store_;
    ConsoleHost& host_;
    Job job_;
    TransferOptions options_;
};

// Says how the run ended. A failure names the file and the system's reason
// where there are such, as other command-line tools do.
int ConsoleRun::Finish(const Engine& engine, int code, int successSlot, int failureSlot) {
    host_.EndRun();
    for (const std::string& piece : engine.StalePieces()) {
        host_.Say(Text(slot::kStalePieceRemoved) + piece);
    }
    if (code == kTransferDone) {
        if (!request_.quiet) {
            host_.Say(Text(successSlot));
        }
        return kExitSuccess;
    }
    host_.Say(FailureText(engine, code, failureSlot));
    if (!engine.RemovedAfterFailure().empty()) {
        host_.Say(Text(slot::kRemovedAfterFailure) +
                  std::to_string(engine.RemovedAfterFailure().size()));
    }
    if (code == kDiskRefused && host_.Declined()) {
        host_.Say(Text(slot::kNeedsAnotherDisk));
    }
    return kExitFailure;
}

// The size of the pieces: given in bytes, an entry of the base size list, or
// the list's chosen entry as the window would use it.
std::optional<std::int64_t> ConsoleRun::BaseSize() {
    if (request_.pieceBytes) {
        return request_.pieceBytes;
    }
    const BaseSizeList list = LoadBaseSizes(store_);
    const int index = request_.baseEntry ? *request_.baseEntry - 1 : list.BaseSizeIndex;
    if (index >= 0 && index < static_cast<int>(list.BaseSizeValues.size())) {
        return list.BaseSizeValues[static_cast<std::size_t>(index)];
    }
    if (request_.baseEntry) {
        host_.Say(Text(slot::kNoSuchBaseSize) + std::to_string(*request_.baseEntry));
        return std::nullopt;
    }
    return list.BaseSizeValues.empty() ? kFallbackBaseSize : list.BaseSizeValues.front();
}

int ConsoleRun::Split() {
    job_.BigFilePath = request_.file;
    job_.BigFileBytes = platform_.FileSize(request_.file);
    if (job_.BigFileBytes < 0) {
        // Said at once: a FIFO would otherwise wait for a writer forever.
        switch (platform_.KindOf(request_.file, true)) {
            case FileKind::Folder:
                host_.Say(Text(slot::kIsAFolder) + request_.file);
                break;
            case FileKind::Special:
                host_.Say(Text(slot::kNotARegularFile) + request_.file);
                break;
            default:
                host_.Say(Text(slot::kFileMissing) + request_.file + ": " +
                          platform_.LastErrorText());
                break;
        }
        return kExitFailure;
    }
    if (job_.BigFileBytes == 0) {
        host_.Say(Text(slot::kNothingToSplit));
        return kExitFailure;
    }
    job_.ExtractCount = job_.BigFileBytes;
    job_.ExtractLimit = job_.BigFileBytes;
    job_.SmallFilesBase = request_.output.empty() ? request_.file : request_.output;

    if (request_.freeSpace) {
        options_.UseFreeSpace = true;
    } else {
        const auto base = BaseSize();
        if (!base) {
            return kExitFailure;
        }
        const auto sizes = PieceSizesFor(job_.BigFileBytes, *base, SizePlan::MaxSmallFiles);
        if (!sizes) {
            host_.Say(Text(slot::kTooManyFiles) + " " + Text(slot::kChooseBiggerBaseSize));
            return kExitFailure;
        }
        job_.SmallFileCount = static_cast<std::int32_t>(sizes->size());
        job_.SmallFileSizes = {0};
        job_.SmallFileSizes.insert(job_.SmallFileSizes.end(), sizes->begin(), sizes->end());
    }

    Engine engine(job_, platform_, host_);
    host_.BeginRun(job_.BigFileBytes);
    const int code = engine.SplitBigFile(options_);
    const int result = Finish(engine, code, slot::kFileSplit, slot::kCannotCreatePiece);
    if (result != kExitSuccess || request_.script.empty()) {
        return result;
    }
    RestoreScript script(job_, platform_, host_);
    const ScriptOptions scriptOptions{options_.Suffix, false, false};
    if (const ScriptResult written = script.Write(request_.script, scriptOptions);
        written != ScriptResult::Created) {
        host_.Say(script.ResultText(written));
        return kExitFailure;
    }
    return kExitSuccess;
}

int ConsoleRun::Join() {
    const std::string stem = FindSeriesBase(request_.file, options_.Suffix);
    if (stem.empty() || platform_.FileSize(request_.file) < 0) {
        host_.Say((stem.empty() ? Text(slot::kNotASeriesPiece) : Text(slot::kFileMissing)) +
                  request_.file);
        return kExitFailure;
    }
    job_.SmallFilesBase = stem;
    job_.BigFilePath = request_.output.empty() ? stem : request_.output;
    CountSeries(job_, platform_, host_, options_.Suffix);
    if (job_.SmallFileCount == 0) {
        return kExitFailure;  // the reason has been given
    }
    job_.AppendActive = request_.append;
    // A join replaces no file unasked: the name beside the pieces is usually
    // the original file.
    if (!request_.append && !request_.force && platform_.Exists(job_.BigFilePath)) {
        host_.Say(Text(slot::kTargetExists) + job_.BigFilePath);
        return kExitFailure;
    }
    Engine engine(job_, platform_, host_);
    host_.BeginRun(job_.BigFileBytes);
    const int code = engine.JoinSmallFiles(options_);
    if (!job_.PartialPath.empty()) {
        host_.Say(Text(slot::kPartialFileKept) + job_.PartialPath);
    }
    return Finish(
        engine, code,
        engine.LastJoinVerified() ? slot::kFileRestoredVerified : slot::kFileRestoredUnverified,
        slot::kCannotReadPiece);
}

int ConsoleRun::Verify() {
    const std::string stem = FindSeriesBase(request_.file, options_.Suffix);
    if (stem.empty()) {
        host_.Say(Text(slot::kNotASeriesPiece) + request_.file);
        return kExitFailure;
    }
    job_.SmallFilesBase = stem;
    Engine engine(job_, platform_, host_);
    VerifyReport report;
    host_.BeginRun(0);
    // The joined file is looked for beside the checksum file, where sha256sum
    // would look for it.
    const int code = engine.VerifySeries(options_, {FolderOfPath(stem)}, report);
    host_.EndRun();
    if (code != kTransferDone) {
        host_.Say(FailureText(engine, code, slot::kCannotReadPiece));
        return kExitFailure;
    }
    const bool passed = VerifyPassed(report);
    if (!passed || !request_.quiet) {
        for (const VerifyReport::Entry& entry : report.entries) {
            host_.Say(VerifyLine(entry));
        }
        host_.Say(VerifySummary(report));
    }
    return passed ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunConsoleCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                          const SettingsStore& store, std::ostream& out, std::ostream& errors,
                          bool terminal) {
    SetCurrentLanguage(store.Read(settings::Language));
    FillTextTable(store.Read(settings::AddedFileType));
    ConsoleHost host(errors, terminal);

    const ConsoleParse parse = ParseConsoleArguments(arguments);
    if (!parse.request) {
        host.Say(Text(parse.errorSlot) + parse.errorArgument);
        errors << Text(slot::kUsage) << '\n' << Text(slot::kTryHelp) << '\n';
        return kExitUsage;
    }
    const ConsoleRequest& request = *parse.request;
    switch (request.command) {
        case ConsoleRequest::Command::Help:
            for (const int line : kHelpSlots) {
                if (!Text(line).empty()) {
                    out << Text(line) << '\n';
                }
            }
            return kExitSuccess;
        case ConsoleRequest::Command::Version:
            out << "brelker " << kVersionText << '\n';
            return kExitSuccess;
        case ConsoleRequest::Command::Split:
        case ConsoleRequest::Command::Join:
        case ConsoleRequest::Command::Verify:
            break;
    }
    // From here on Ctrl+C, a termination or a closed terminal lets the run
    // clean up (a split removes what it wrote, a join its temporary file)
    // before the process ends as it would have.
    platform.CatchInterrupts();
    ConsoleRun run(request, platform, store, host);
    const int status = request.command == ConsoleRequest::Command::Split  ? run.Split()
                       : request.command == ConsoleRequest::Command::Join ? run.Join()
                                                                          : run.Verify();
    if (const int signal = platform.PendingInterrupt(); signal != 0) {
        platform.EndByInterrupt(signal);
        return kExitSignalBase + signal;
    }
    return status;
}

}  // namespace brelker

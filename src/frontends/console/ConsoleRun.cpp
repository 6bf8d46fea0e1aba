#include "console/ConsoleRun.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "checksum/ChecksumFile.h"
#include "console/ConsoleArguments.h"
#include "console/ConsoleHost.h"
#include "console/ConsoleReport.h"
#include "console/ShellQuote.h"
#include "model/JobSetup.h"
#include "model/ResultText.h"
#include "plan/BaseSizes.h"
#include "plan/PieceSizes.h"
#include "plan/SizePlan.h"
#include "platform/Paths.h"
#include "platform/Version.h"
#include "script/RestoreScript.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/Engine.h"
#include "transfer/PieceNames.h"
#include "transfer/Series.h"
#include "transfer/StreamJoin.h"
#include "transfer/StreamSplit.h"

namespace brelker {
namespace {

// The help, line by line, in the order it is shown.
constexpr TextSlot kHelpSlots[] = {slot::kUsage,
                                   slot::kUsageSummary,
                                   slot::kUsageWindow,
                                   slot::kUsageSwitches,
                                   slot::kUsageSplit,
                                   slot::kUsageJoin,
                                   slot::kUsageVerify,
                                   slot::kUsageSplitOptions,
                                   slot::kUsageBytes,
                                   slot::kUsageSizeForms,
                                   slot::kUsageNumber,
                                   slot::kUsageBase,
                                   slot::kUsageListBases,
                                   slot::kUsageFree,
                                   slot::kUsageOutputStem,
                                   slot::kUsageOutputFolder,
                                   slot::kUsageScript,
                                   slot::kUsageNoChecksum,
                                   slot::kUsageStandardInput,
                                   slot::kUsageNamedStream,
                                   slot::kUsageDefaultSize,
                                   slot::kUsageJoinOptions,
                                   slot::kUsageOutputFile,
                                   slot::kUsageStandardOutput,
                                   slot::kUsageAppend,
                                   slot::kUsageForce,
                                   slot::kUsageOtherOptions,
                                   slot::kUsageQuiet,
                                   slot::kUsageHelp,
                                   slot::kUsageVersion,
                                   slot::kUsageExitStatus,
                                   slot::kUsageNoDeletion,
                                   TextSlot(424)};

// A text that ends where something is named, with that thing; without it the
// text ends at its last word.
std::string Naming(TextSlot slot, const std::string& what) {
    std::string text = Text(slot);
    if (what.empty()) {
        text.erase(text.find_last_not_of(": ") + 1);
    }
    return text + what;
}

// What a run was, for the words of its failure: a split or a join, of files
// or of a stream cut into pieces of pieceBytes.
struct RunKind {
    bool split = false;
    bool stream = false;
    std::int64_t pieceBytes = 0;
};

// The words of a stream's own faults (its file is quoted); nothing for a
// fault that a run of files shares.
std::optional<std::string> StreamWords(const TransferResult& result, const RunKind& run) {
    const std::string& path = result.file;
    switch (result.outcome) {
        case TransferOutcome::StreamIsSeriesFile:
            return Text(run.split ? slot::kInputIsPiece : slot::kOutputIsPiece) + path;
        case TransferOutcome::ChecksumMismatch:
            return Text(slot::kStreamPieceMismatch) + path;
        case TransferOutcome::TooManyPieces:
            return path.empty() ? TextWith(slot::kStandardInputTooLong,
                                           {std::to_string(SizePlan::MaxSmallFiles),
                                            BytesText(run.pieceBytes)})
                                : TextWith(slot::kStreamTooLong,
                                           {path, std::to_string(SizePlan::MaxSmallFiles),
                                            BytesText(run.pieceBytes)});
        case TransferOutcome::CannotReadBigFile:
            return path.empty() ? std::optional(Naming(slot::kCannotReadInput, result.reason))
                                : std::nullopt;
        case TransferOutcome::CannotWriteBigFile:
            return path.empty() ? std::optional(Naming(slot::kCannotWriteOutput, result.reason))
                                : std::nullopt;
        default:
            return std::nullopt;
    }
}

// The command line's own words for a run that failed, as other command-line
// tools say it: what could not be done with which file, and the system's
// reason. The window keeps its own texts for the same outcomes.
std::string FailureText(Platform& platform, TransferResult result, const RunKind& run) {
    if (result.outcome == TransferOutcome::ChecksumFileUnusable) {
        return ChecksumProblemWords(platform, result.checksumProblem);
    }
    result.file = QuotedName(result.file);
    if (run.stream) {
        if (auto words = StreamWords(result, run)) {
            return *words;
        }
    }
    const std::string& path = result.file;
    const std::string& reason = result.reason;
    std::optional<TextSlot> named;
    if (result.outcome == TransferOutcome::PieceFailed) {
        named = run.split ? slot::kCannotCreateNamed : slot::kCannotReadNamed;
    } else if (result.outcome == TransferOutcome::CannotReadBigFile ||
               result.outcome == TransferOutcome::ReadBackFailed) {
        named = slot::kCannotReadNamed;
    } else if (result.outcome == TransferOutcome::CannotWriteBigFile ||
               result.outcome == TransferOutcome::FlushFailed ||
               result.outcome == TransferOutcome::BlockFailed) {
        named = slot::kCannotWriteNamed;
    }
    if (named && !path.empty()) {
        return WithReason(TextWith(*named, {path}), reason);
    }
    std::string text =
        TransferFailureText(result, run.split ? slot::kCannotCreatePiece : slot::kCannotReadPiece);
    if (!path.empty() && text.find(path) == std::string::npos) {
        text += (text.ends_with(' ') ? "" : ": ") + path;
    }
    return WithReason(text, reason);
}

// Puts what scripts read on its way; false, said, when it cannot be written
// (a full disk, a pipe that was closed): output that was lost is no success.
// earlier is the reason of a write that failed before, which a stream in
// error does not try again.
bool Flushed(std::ostream& out, ConsoleHost& host, int earlier = 0) {
    errno = 0;
    out.flush();
    if (out) {
        return true;
    }
    const int error = earlier != 0 ? earlier : errno;
    host.Say(Naming(slot::kCannotWriteOutput, error != 0 ? std::strerror(error) : ""));
    return false;
}

// The entries of the base size list with the numbers --base takes and their
// sizes in bytes; the entry a split takes without a size is marked.
void ListBaseSizes(SettingsStore& store, std::ostream& out) {
    const BaseSizeList list = LoadBaseSizes(store);
    const int count = static_cast<int>(list.BaseSizeValues.size());
    const int chosen =
        list.BaseSizeIndex >= 0 && list.BaseSizeIndex < count ? list.BaseSizeIndex : 0;
    int widest = 1;
    for (const std::int64_t bytes : list.BaseSizeValues) {
        widest = std::max(widest, static_cast<int>(std::to_string(bytes).size()));
    }
    for (int i = 0; i < count; ++i) {
        const auto entry = static_cast<std::size_t>(i);
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%3d  %*lld  ", i + 1, widest,
                      static_cast<long long>(list.BaseSizeValues[entry]));
        out << numbers << (entry < list.BaseSizeTexts.size() ? list.BaseSizeTexts[entry] : "")
            << (i == chosen ? "  " + Text(slot::kUsedWithoutSize) : std::string()) << '\n';
    }
}

class ConsoleRun {
public:
    ConsoleRun(const ConsoleRequest& request, Platform& platform, SettingsStore& store,
               ConsoleHost& host, std::ostream& out)
        : request_(request), platform_(platform), store_(store), host_(host), out_(out) {
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
    int SplitStream(FileHandle input, const std::string& inputPath);
    int SplitNamedStream();
    bool RoomForFreeSpaceSplit();
    int SplitDone();
    int JoinToOutput();
    int Finish(const TransferResult& result, const RunKind& run);
    std::optional<std::vector<std::int64_t>> PlanPieces();
    std::optional<std::int64_t> BaseSize();
    std::string InFolder(const std::string& path, const std::string& name);
    std::int64_t ListedBytes(const std::string& stem);

    const ConsoleRequest& request_;
    Platform& platform_;
    SettingsStore& store_;
    ConsoleHost& host_;
    std::ostream& out_;
    Job job_;
    TransferOptions options_;
    // How a split that no plan fits ends: a failure, or a mistake of the
    // command line (an entry the base size list does not have).
    int refusal_ = kExitFailure;
};

// Says how the run ended. A failure names the file and the system's reason
// where there are such, as other command-line tools do.
int ConsoleRun::Finish(const TransferResult& result, const RunKind& run) {
    host_.EndRun();
    for (const std::string& piece : result.stalePieces) {
        host_.Say(Text(slot::kStalePieceRemoved) + QuotedName(piece));
    }
    if (!result.appendUndone.empty()) {
        host_.Say(Text(slot::kAppendUndone) + result.appendUndone);
    }
    if (!result.partialPath.empty()) {
        host_.Say(Text(slot::kPartialFileKept) + QuotedName(result.partialPath));
    }
    if (result.Succeeded()) {
        return kExitSuccess;
    }
    host_.Say(FailureText(platform_, result, run));
    if (!result.removedAfterFailure.empty()) {
        host_.Say(Text(slot::kRemovedAfterFailure) +
                  std::to_string(result.removedAfterFailure.size()));
    }
    return kExitFailure;
}

// An -o that names a folder, as an existing one or by its ending separator,
// takes the file under name; any other -o is the path itself.
std::string ConsoleRun::InFolder(const std::string& path, const std::string& name) {
    if (!path.empty() &&
        (IsPathSeparator(path.back()) || platform_.KindOf(path, true) == FileKind::Folder)) {
        return platform_.JoinPath(path, name);
    }
    return path;
}

// The size of the pieces: given in bytes, an entry of the base size list, or
// the list's chosen entry as the window would use it, which is said.
std::optional<std::int64_t> ConsoleRun::BaseSize() {
    if (request_.pieceBytes) {
        return request_.pieceBytes;
    }
    const BaseSizeList list = LoadBaseSizes(store_);
    int index = request_.baseEntry ? *request_.baseEntry - 1 : list.BaseSizeIndex;
    if (index < 0 || index >= static_cast<int>(list.BaseSizeValues.size())) {
        if (request_.baseEntry) {
            host_.Say(TextWith(slot::kBaseEntryOutOfRange,
                               {QuotedArgument(std::to_string(*request_.baseEntry)),
                                std::to_string(list.BaseSizeValues.size())}));
            refusal_ = kExitUsage;
            return std::nullopt;
        }
        if (list.BaseSizeValues.empty()) {
            return kFallbackBaseSize;
        }
        index = 0;
    }
    const auto entry = static_cast<std::size_t>(index);
    const std::int64_t size = list.BaseSizeValues[entry];
    if (!request_.SizeGiven() && !request_.quiet) {
        const std::string name = entry < list.BaseSizeTexts.size() ? list.BaseSizeTexts[entry] : "";
        host_.Say(TextWith(slot::kNoSizeGiven, {name, BytesText(size)}));
    }
    return size;
}

// The sizes of the pieces, or nothing when no plan fits (the reason is said).
std::optional<std::vector<std::int64_t>> ConsoleRun::PlanPieces() {
    const std::int64_t bytes = job_.BigFileBytes;
    std::int64_t size = 0;
    std::int64_t count = 0;
    if (request_.pieceCount) {
        // As GNU split -n divides: equal pieces, the last one taking the rest.
        count = *request_.pieceCount;
        if (count > bytes) {
            host_.Say(TextWith(slot::kMorePiecesThanBytes,
                               {std::to_string(count), std::to_string(bytes)}));
            return std::nullopt;
        }
        size = bytes / count;
        if (count <= SizePlan::MaxSmallFiles) {
            std::vector<std::int64_t> sizes(static_cast<std::size_t>(count), size);
            sizes.back() += bytes % count;
            return sizes;
        }
    } else {
        const auto base = BaseSize();
        if (!base) {
            return std::nullopt;
        }
        if (auto sizes = PieceSizesFor(bytes, *base, SizePlan::MaxSmallFiles)) {
            return sizes;
        }
        size = *base;
        count = bytes / size + (bytes % size != 0 ? 1 : 0);
    }
    const std::int64_t most = SizePlan::MaxSmallFiles;
    host_.Say(TextWith(slot::kTooManyPiecesOfSize,
                       {BytesText(size), std::to_string(count), std::to_string(most),
                        std::to_string(bytes / most + (bytes % most != 0 ? 1 : 0))}));
    return std::nullopt;
}

int ConsoleRun::Split() {
    if (request_.FromStandardInput()) {
        if (platform_.KindOf(request_.output, true) == FileKind::Folder) {
            host_.Say(Text(slot::kStandardInputNeedsName));
            return kExitUsage;
        }
        job_.SmallFilesBase = request_.output;
        return SplitStream(platform_.StandardInput(), {});
    }
    // Told by its name alone: opened to be measured, a FIFO would let its
    // writer start, and closed again, leave it writing to nobody.
    if (platform_.KindOf(request_.file, true) == FileKind::Special) {
        return SplitNamedStream();
    }
    if (const UnusableFile why = TakeBigFile(job_, platform_, request_.file);
        why != UnusableFile::None) {
        host_.Say(why == UnusableFile::Missing ? UnreadableFileText(platform_, request_.file)
                                               : UnusableFileText(why, QuotedName(request_.file)));
        return kExitFailure;
    }
    job_.SmallFilesBase = request_.output.empty()
                              ? request_.file
                              : InFolder(request_.output, BareFileName(request_.file));

    if (job_.BigFileBytes == 0 && request_.pieceCount.value_or(1) == 1) {
        // One empty piece and its list: the series joins back to the empty
        // file, as every other file joins back to itself.
        TakePieceSizes(job_, 0, {0});
    } else if (request_.freeSpace) {
        if (!RoomForFreeSpaceSplit()) {
            return kExitFailure;
        }
        options_.UseFreeSpace = true;
    } else {
        const auto sizes = PlanPieces();
        if (!sizes) {
            return refusal_;
        }
        TakePieceSizes(job_, 0, *sizes);
    }

    Engine engine(job_, platform_, host_);
    host_.BeginRun(job_.BigFileBytes);
    if (const int status = Finish(engine.SplitBigFile(options_), {true}); status != kExitSuccess) {
        return status;
    }
    return SplitDone();
}

// Pieces as large as the free space go on one disk here: the command line
// asks for no other. A file that does not fit is refused before a byte is
// written, rather than after the disk has been filled.
bool ConsoleRun::RoomForFreeSpaceSplit() {
    const std::string volume = platform_.VolumeOf(job_.SmallFilesBase);
    const std::int64_t room =
        RoomForOneFile(platform_.FreeSpace(volume), platform_.AllocationUnit(volume));
    if (room >= job_.BigFileBytes) {
        return true;
    }
    host_.Say(TextWith(slot::kFreeSpaceTooSmall,
                       {QuotedName(PieceName(job_.SmallFilesBase, options_.Suffix, 1)),
                        SizeText(std::max<std::int64_t>(room, 0)), SizeText(job_.BigFileBytes)}));
    return false;
}

// A device or a FIFO named as the file to split: read as standard input is,
// to its end, since its size is known only there (a FIFO has none before, a
// device's says nothing of what a reader gets).
int ConsoleRun::SplitNamedStream() {
    const std::string name = QuotedName(request_.file);
    if (!request_.pieceBytes) {
        host_.Say(TextWith(slot::kStreamNeedsBytes, {name}));
        return kExitUsage;
    }
    // Beside a device or a FIFO the pieces would land in /dev or /proc.
    if (request_.output.empty()) {
        host_.Say(TextWith(slot::kStreamNeedsName, {name}));
        return kExitUsage;
    }
    job_.SmallFilesBase = InFolder(request_.output, BareFileName(request_.file));
    const FileHandle input = platform_.OpenStream(request_.file);
    if (input == kNoFile) {
        host_.Say(WithReason(TextWith(slot::kCannotReadNamed, {name}), platform_.LastErrorText()));
        return kExitFailure;
    }
    const int status = SplitStream(input, request_.file);
    platform_.Close(input);
    return status;
}

// A stream (standard input, or the device or FIFO at inputPath): pieces of
// the size given, under the name given, as the bytes come.
int ConsoleRun::SplitStream(FileHandle input, const std::string& inputPath) {
    StreamSplit split(platform_, host_, inputPath);
    host_.BeginRun(0);
    TransferResult result;
    if (input == kNoFile) {
        result.outcome = TransferOutcome::CannotReadBigFile;
        result.file = inputPath;
    } else {
        result = split.Run(input,
                           {*request_.pieceBytes, SizePlan::MaxSmallFiles, options_.Suffix,
                            options_.WriteChecksumFile},
                           job_);
    }
    if (const int status = Finish(result, {true, true, *request_.pieceBytes});
        status != kExitSuccess) {
        return status;
    }
    return SplitDone();
}

// After a split that succeeded: what it made, and the restore script asked for.
int ConsoleRun::SplitDone() {
    if (!request_.quiet) {
        host_.Say(SplitSummary(job_, options_.Suffix));
        if (options_.WriteChecksumFile) {
            host_.Say(Text(slot::kChecksumFileIs) +
                      QuotedName(ChecksumFilePath(job_.SmallFilesBase)));
        }
    }
    if (request_.script.empty()) {
        return kExitSuccess;
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
    if (!TakeSeries(job_, request_.file, options_.Suffix)) {
        host_.Say(Text(slot::kNotASeriesPiece) + QuotedName(request_.file));
        return kExitFailure;
    }
    if (platform_.FileSize(request_.file) < 0) {
        host_.Say(UnreadableFileText(platform_, request_.file));
        return kExitFailure;
    }
    // As compressors do: the bytes of a file are garbage to a person at a
    // terminal, and some of them act on the terminal itself.
    if (request_.ToStandardOutput() && !request_.force &&
        platform_.IsTerminal(platform_.StandardOutput())) {
        host_.Say(Text(slot::kStandardOutputIsTerminal));
        return kExitFailure;
    }
    const std::string stem = job_.SmallFilesBase;
    CountSeries(job_, platform_, host_, options_.Suffix);
    if (job_.SmallFileCount == 0) {
        return kExitFailure;  // the reason has been given
    }
    if (request_.ToStandardOutput()) {
        return JoinToOutput();
    }
    job_.BigFilePath =
        request_.output.empty() ? stem : InFolder(request_.output, BareFileName(stem));
    job_.AppendActive = request_.append;
    // A join replaces no file unasked: the name beside the pieces is usually
    // the original file.
    if (!request_.append && !request_.force && platform_.Exists(job_.BigFilePath)) {
        host_.Say(Text(slot::kTargetExists) + QuotedName(job_.BigFilePath));
        return kExitFailure;
    }
    Engine engine(job_, platform_, host_);
    host_.BeginRun(job_.BigFileBytes);
    const TransferResult result = engine.JoinSmallFiles(options_);
    if (const int status = Finish(result, {false}); status != kExitSuccess) {
        return status;
    }
    if (!request_.quiet) {
        host_.Say(Text(result.verified ? slot::kJoinedVerified : slot::kJoinedNotVerified) +
                  QuotedName(job_.BigFilePath));
    }
    return kExitSuccess;
}

int ConsoleRun::JoinToOutput() {
    const FileHandle output = platform_.StandardOutput();
    StreamJoin join(platform_, host_);
    host_.BeginRun(job_.BigFileBytes);
    TransferResult result;
    if (output == kNoFile) {
        result.outcome = TransferOutcome::CannotWriteBigFile;
    } else {
        result = join.Run(job_, options_.Suffix, output);
    }
    if (const int status = Finish(result, {false, true}); status != kExitSuccess) {
        return status;
    }
    if (!request_.quiet) {
        host_.Say(Text(result.verified ? slot::kJoinedVerified : slot::kJoinedNotVerified) +
                  Text(slot::kStandardOutputName));
    }
    return kExitSuccess;
}

// The bytes Verify reads, for its rate and the time left.
std::int64_t ConsoleRun::ListedBytes(const std::string& stem) {
    const ChecksumList list = ReadSeriesChecksums(platform_, stem, options_.Suffix);
    if (!list.Valid()) {
        return 0;
    }
    const SeriesChecksums* listed = &list.series;
    std::int64_t bytes = 0;
    for (int k = 1; k <= listed->Count(); ++k) {
        bytes += std::max<std::int64_t>(platform_.FileSize(PieceName(stem, options_.Suffix, k)), 0);
    }
    bytes += std::max<std::int64_t>(
        platform_.FileSize(JoinFolder(FolderOfPath(stem), listed->wholeName)), 0);
    return bytes;
}

// Each file's line goes to standard output in sha256sum -c's words, for
// scripts; the count of each verdict to the error stream, for people.
int ConsoleRun::Verify() {
    const std::string stem = FindSeriesBase(request_.file, options_.Suffix);
    if (stem.empty()) {
        host_.Say(Text(slot::kNotASeriesPiece) + QuotedName(request_.file));
        return kExitFailure;
    }
    job_.SmallFilesBase = stem;
    Engine engine(job_, platform_, host_);
    VerifyReport report;
    // Each line as soon as its file is checked, as sha256sum -c writes them:
    // a reader of a long check sees it go on, and what was found stays found.
    int writeError = 0;
    host_.ShowCheckedWith([&](const std::string& path, CheckState state) {
        if (!request_.quiet || state != CheckState::Ok) {
            errno = 0;
            out_ << CheckLine(BareFileName(path), state) << '\n' << std::flush;
            writeError = !out_ && writeError == 0 ? errno : writeError;
        }
    });
    host_.BeginRun(ListedBytes(stem));
    // The joined file is looked for beside the checksum file, where sha256sum
    // would look for it.
    const TransferResult result = engine.VerifySeries(options_, {FolderOfPath(stem)}, report);
    host_.EndRun();
    if (!result.Succeeded()) {
        host_.Say(FailureText(platform_, result, {false}));
        return kExitFailure;
    }
    if (!Flushed(out_, host_, writeError)) {
        return kExitFailure;
    }
    const bool passed = VerifyPassed(report);
    if (!passed || !request_.quiet) {
        host_.Say(VerifySummary(report));
    }
    return passed ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunConsoleCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                          SettingsStore& store, std::ostream& out, std::ostream& errors,
                          ProgressLine progress) {
    SetCurrentLanguage(store.Read(settings::Language));
    FillTextTable(store.Read(settings::AddedFileType));

    const ConsoleParse parse = ParseConsoleArguments(arguments);
    if (!parse.request) {
        ConsoleHost(errors, false).Say(Text(parse.errorSlot) + parse.errorArgument);
        errors << Text(slot::kUsage) << '\n' << Text(slot::kTryHelp) << '\n';
        return kExitUsage;
    }
    const ConsoleRequest& request = *parse.request;
    // Quiet draws no progress line either: nothing on standard error while
    // the work goes well.
    ConsoleHost host(errors, request.quiet ? ProgressLine::None : progress,
                     [&platform] { return platform.TerminalColumns(); });
    host.DescribeFilesOn(platform);
    switch (request.command) {
        case ConsoleRequest::Command::Help:
            for (const TextSlot line : kHelpSlots) {
                if (!Text(line).empty()) {
                    out << Text(line) << '\n';
                }
            }
            return Flushed(out, host) ? kExitSuccess : kExitFailure;
        case ConsoleRequest::Command::Version:
            out << "brelker " << kVersionText << '\n';
            return Flushed(out, host) ? kExitSuccess : kExitFailure;
        case ConsoleRequest::Command::ListBases:
            ListBaseSizes(store, out);
            return Flushed(out, host) ? kExitSuccess : kExitFailure;
        case ConsoleRequest::Command::Split:
        case ConsoleRequest::Command::Join:
        case ConsoleRequest::Command::Verify:
            break;
    }
    // From here on Ctrl+C, a termination or a closed terminal lets the run
    // clean up (a split removes what it wrote, a join its temporary file)
    // before the process ends as it would have.
    platform.CatchInterrupts();
    ConsoleRun run(request, platform, store, host, out);
    const int status = request.command == ConsoleRequest::Command::Split  ? run.Split()
                       : request.command == ConsoleRequest::Command::Join ? run.Join()
                                                                          : run.Verify();
    // A run that finished and said so stands, whenever the interruption came:
    // it is either done and reported, or undone and ended by the signal.
    if (const int signal = platform.PendingInterrupt(); signal != 0 && status != kExitSuccess) {
        platform.EndByInterrupt(signal);
        return kExitSignalBase + signal;
    }
    return status;
}

}  // namespace brelker

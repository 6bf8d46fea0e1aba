#pragma once

#include "text/FirstReleaseSlots.h"

// Names of the texts added to the table after its first release. They live in
// the slots that release left empty; each group keeps to its own range so
// that a mix-up of two neighbours is a name, not a number, in the code.
namespace brelker::slot {

// Transfers that lose nothing (370-379).
inline constexpr int kFileUnreadable = 370;
inline constexpr int kPartialFileKept = 371;
inline constexpr int kDiskNotChanged = 372;
inline constexpr int kStalePiecesRemoved = 373;
inline constexpr int kNothingToSplit = 374;

// Checksum files and verification (380-391).
inline constexpr int kFileRestoredVerified = 380;
inline constexpr int kWriteChecksumFile = 381;
inline constexpr int kWriteChecksumFileHint = 382;
inline constexpr int kChecksumMismatch = 383;
inline constexpr int kChecksumFileNotWritten = 384;
inline constexpr int kVerifySeries = 385;
inline constexpr int kVerifySeriesHint = 386;
inline constexpr int kNoChecksumFile = 387;
inline constexpr int kVerifying = 388;
inline constexpr int kCheckOk = 389;
inline constexpr int kCheckFailed = 390;
inline constexpr int kCheckMissing = 391;

// Restore scripts (392-399).
inline constexpr int kSmallFileMissing = 392;
inline constexpr int kSmallFileWrongSize = 393;
inline constexpr int kChecksumDiffers = 394;
inline constexpr int kShellScriptFilter = 395;
inline constexpr int kBatchNameNotInCodePage = 396;
inline constexpr int kBatchNameUnsafe = 397;

// The command line (400-459).
inline constexpr int kUsage = 400;
inline constexpr int kUsageSummary = 401;
inline constexpr int kUsageWindow = 402;
inline constexpr int kUsageSwitches = 403;
inline constexpr int kUsageSplit = 404;
inline constexpr int kUsageJoin = 405;
inline constexpr int kUsageVerify = 406;
inline constexpr int kUsageSplitOptions = 407;
inline constexpr int kUsageBytes = 408;
inline constexpr int kUsageBase = 409;
inline constexpr int kUsageFree = 410;
inline constexpr int kUsageOutputStem = 411;
inline constexpr int kUsageScript = 412;
inline constexpr int kUsageNoChecksum = 413;
inline constexpr int kUsageJoinOptions = 414;
inline constexpr int kUsageOutputFile = 415;
inline constexpr int kUsageAppend = 416;
inline constexpr int kUsageOtherOptions = 417;
inline constexpr int kUsageQuiet = 418;
inline constexpr int kUsageHelp = 419;
inline constexpr int kUsageVersion = 420;
inline constexpr int kUsageExitStatus = 421;
inline constexpr int kUsageNoDeletion = 422;
inline constexpr int kUsageForce = 423;
inline constexpr int kTryHelp = 425;
inline constexpr int kUnknownArgument = 426;
inline constexpr int kMissingValue = 427;
inline constexpr int kBadByteSize = 428;
inline constexpr int kNoSuchBaseSize = 429;
inline constexpr int kOneSizeChoice = 430;
inline constexpr int kNoDisplay = 431;
inline constexpr int kNeedsAnotherDisk = 432;
inline constexpr int kTimeLeft = 433;
inline constexpr int kNotASeriesPiece = 434;

// Files dropped on the main window (440-449, within the command line's range).
inline constexpr int kDropOneFile = 440;
inline constexpr int kDropNoFolder = 441;

// Names the program owns, runs that clean up after themselves, one writer per
// file (460-479).
inline constexpr int kRunLocked = 460;
inline constexpr int kNotARegularFile = 461;
inline constexpr int kForeignChecksumFile = 462;
inline constexpr int kBigFileChanged = 463;
inline constexpr int kSelfOverwrite = 464;
inline constexpr int kPieceChanged = 465;
inline constexpr int kRemovedAfterFailure = 466;
inline constexpr int kReplaceExisting = 467;
inline constexpr int kTargetExists = 468;
inline constexpr int kStalePieceRemoved = 469;
inline constexpr int kIsAFolder = 470;

// Checksum files read strictly (480-489).
inline constexpr int kFileRestoredUnverified = 480;
inline constexpr int kChecksumFileUnusable = 481;
inline constexpr int kChecksumFileLine = 482;
inline constexpr int kNotAChecksumLine = 483;
inline constexpr int kChecksumLineOutOfOrder = 484;
inline constexpr int kChecksumListEndsEarly = 485;
inline constexpr int kNameWithFolderPart = 486;
inline constexpr int kChecksumFileUnreadable = 487;
inline constexpr int kChecksumFileNotRegular = 488;
inline constexpr int kCheckUnreadable = 489;

// Restore scripts that cannot overwrite the job's own files (490-499).
inline constexpr int kScriptNameTaken = 490;
inline constexpr int kScriptNotWritable = 491;
inline constexpr int kLinkNotWrittenThrough = 492;
inline constexpr int kRestoredNotVerified = 493;

// The command line as a daily tool (500-539).
inline constexpr int kUsageNumber = 500;
inline constexpr int kUsageSizeForms = 501;
inline constexpr int kUsageOutputFolder = 502;
inline constexpr int kUsageStandardInput = 503;
inline constexpr int kUsageStandardOutput = 504;
inline constexpr int kUsageDefaultSize = 505;
inline constexpr int kNoSizeGiven = 506;
inline constexpr int kTooManyPiecesOfSize = 507;
inline constexpr int kMorePiecesThanBytes = 508;
inline constexpr int kStandardInputNeedsBytes = 509;
inline constexpr int kStandardInputHasNoSize = 510;
inline constexpr int kStandardInputNeedsName = 511;
inline constexpr int kDashNotHere = 512;
inline constexpr int kAmbiguousOption = 513;
inline constexpr int kCannotWriteOutput = 514;
inline constexpr int kCannotReadInput = 515;
inline constexpr int kCannotCreateNamed = 516;
inline constexpr int kCannotReadNamed = 517;
inline constexpr int kCannotWriteNamed = 518;
inline constexpr int kSplitIntoOne = 519;
inline constexpr int kSplitInto = 520;
inline constexpr int kSplitIntoWithLast = 521;
inline constexpr int kChecksumFileIs = 522;
inline constexpr int kJoinedVerified = 523;
inline constexpr int kJoinedNotVerified = 524;
inline constexpr int kStandardOutputName = 525;
inline constexpr int kStreamPieceMismatch = 526;
inline constexpr int kStandardInputTooLong = 527;
inline constexpr int kOutputIsPiece = 528;
inline constexpr int kInputIsPiece = 529;
inline constexpr int kOptionsConflict = 530;
inline constexpr int kBytesWord = 531;
inline constexpr int kNoCommand = 532;

}  // namespace brelker::slot

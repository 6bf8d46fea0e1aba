#pragma once

#include "text/FirstReleaseSlots.h"

// Names of the texts added to the table after its first release. They live in
// the slots that release left empty; each group keeps to its own range so
// that a mix-up of two neighbours is a name, not a number, in the code.
namespace brelker::slot {

// Transfers that lose nothing (370-379).
inline constexpr TextSlot kFileUnreadable{370};
inline constexpr TextSlot kPartialFileKept{371};
inline constexpr TextSlot kDiskNotChanged{372};
inline constexpr TextSlot kStalePiecesRemoved{373};
inline constexpr TextSlot kNothingToSplit{374};

// Checksum files and verification (380-391).
inline constexpr TextSlot kFileRestoredVerified{380};
inline constexpr TextSlot kWriteChecksumFile{381};
inline constexpr TextSlot kWriteChecksumFileHint{382};
inline constexpr TextSlot kChecksumMismatch{383};
inline constexpr TextSlot kChecksumFileNotWritten{384};
inline constexpr TextSlot kVerifySeries{385};
inline constexpr TextSlot kVerifySeriesHint{386};
inline constexpr TextSlot kNoChecksumFile{387};
inline constexpr TextSlot kVerifying{388};
inline constexpr TextSlot kCheckOk{389};
inline constexpr TextSlot kCheckFailed{390};
inline constexpr TextSlot kCheckMissing{391};

// Restore scripts (392-399).
inline constexpr TextSlot kSmallFileMissing{392};
inline constexpr TextSlot kSmallFileWrongSize{393};
inline constexpr TextSlot kChecksumDiffers{394};
inline constexpr TextSlot kShellScriptFilter{395};
inline constexpr TextSlot kBatchNameNotInCodePage{396};
inline constexpr TextSlot kBatchNameUnsafe{397};

// The command line (400-459).
inline constexpr TextSlot kUsage{400};
inline constexpr TextSlot kUsageSummary{401};
inline constexpr TextSlot kUsageWindow{402};
inline constexpr TextSlot kUsageSwitches{403};
inline constexpr TextSlot kUsageSplit{404};
inline constexpr TextSlot kUsageJoin{405};
inline constexpr TextSlot kUsageVerify{406};
inline constexpr TextSlot kUsageSplitOptions{407};
inline constexpr TextSlot kUsageBytes{408};
inline constexpr TextSlot kUsageBase{409};
inline constexpr TextSlot kUsageFree{410};
inline constexpr TextSlot kUsageOutputStem{411};
inline constexpr TextSlot kUsageScript{412};
inline constexpr TextSlot kUsageNoChecksum{413};
inline constexpr TextSlot kUsageJoinOptions{414};
inline constexpr TextSlot kUsageOutputFile{415};
inline constexpr TextSlot kUsageAppend{416};
inline constexpr TextSlot kUsageOtherOptions{417};
inline constexpr TextSlot kUsageQuiet{418};
inline constexpr TextSlot kUsageHelp{419};
inline constexpr TextSlot kUsageVersion{420};
inline constexpr TextSlot kUsageExitStatus{421};
inline constexpr TextSlot kUsageNoDeletion{422};
inline constexpr TextSlot kUsageForce{423};
inline constexpr TextSlot kTryHelp{425};
inline constexpr TextSlot kUnknownArgument{426};
inline constexpr TextSlot kMissingValue{427};
inline constexpr TextSlot kBadByteSize{428};
inline constexpr TextSlot kNoSuchBaseSize{429};
inline constexpr TextSlot kOneSizeChoice{430};
inline constexpr TextSlot kNoDisplay{431};
inline constexpr TextSlot kNeedsAnotherDisk{432};
inline constexpr TextSlot kTimeLeft{433};
inline constexpr TextSlot kNotASeriesPiece{434};

// Files dropped on the main window (440-449, within the command line's range).
inline constexpr TextSlot kDropOneFile{440};
inline constexpr TextSlot kDropNoFolder{441};

// Names the program owns, runs that clean up after themselves, one writer per
// file (460-479).
inline constexpr TextSlot kRunLocked{460};
inline constexpr TextSlot kNotARegularFile{461};
inline constexpr TextSlot kForeignChecksumFile{462};
inline constexpr TextSlot kBigFileChanged{463};
inline constexpr TextSlot kSelfOverwrite{464};
inline constexpr TextSlot kPieceChanged{465};
inline constexpr TextSlot kRemovedAfterFailure{466};
inline constexpr TextSlot kReplaceExisting{467};
inline constexpr TextSlot kTargetExists{468};
inline constexpr TextSlot kStalePieceRemoved{469};
inline constexpr TextSlot kIsAFolder{470};

// Checksum files read strictly (480-489).
inline constexpr TextSlot kFileRestoredUnverified{480};
inline constexpr TextSlot kChecksumFileUnusable{481};
inline constexpr TextSlot kChecksumFileLine{482};
inline constexpr TextSlot kNotAChecksumLine{483};
inline constexpr TextSlot kChecksumLineOutOfOrder{484};
inline constexpr TextSlot kChecksumListEndsEarly{485};
inline constexpr TextSlot kNameWithFolderPart{486};
inline constexpr TextSlot kChecksumFileUnreadable{487};
inline constexpr TextSlot kChecksumFileNotRegular{488};
inline constexpr TextSlot kCheckUnreadable{489};

// Restore scripts that cannot overwrite the job's own files (490-499).
inline constexpr TextSlot kScriptNameTaken{490};
inline constexpr TextSlot kScriptNotWritable{491};
inline constexpr TextSlot kLinkNotWrittenThrough{492};
inline constexpr TextSlot kRestoredNotVerified{493};
// The batch script's words where certutil cannot check the digests, and what
// either script says where unproven bytes were kept beside a file of the big
// file's name.
inline constexpr TextSlot kBatchRestoredNotVerified{494};
inline constexpr TextSlot kRestoredUnderNewName{495};

// The command line as a daily tool (500-539).
inline constexpr TextSlot kUsageNumber{500};
inline constexpr TextSlot kUsageSizeForms{501};
inline constexpr TextSlot kUsageOutputFolder{502};
inline constexpr TextSlot kUsageStandardInput{503};
inline constexpr TextSlot kUsageStandardOutput{504};
inline constexpr TextSlot kUsageDefaultSize{505};
inline constexpr TextSlot kNoSizeGiven{506};
inline constexpr TextSlot kTooManyPiecesOfSize{507};
inline constexpr TextSlot kMorePiecesThanBytes{508};
inline constexpr TextSlot kStandardInputNeedsBytes{509};
inline constexpr TextSlot kStandardInputHasNoSize{510};
inline constexpr TextSlot kStandardInputNeedsName{511};
inline constexpr TextSlot kDashNotHere{512};
inline constexpr TextSlot kAmbiguousOption{513};
inline constexpr TextSlot kCannotWriteOutput{514};
inline constexpr TextSlot kCannotReadInput{515};
inline constexpr TextSlot kCannotCreateNamed{516};
inline constexpr TextSlot kCannotReadNamed{517};
inline constexpr TextSlot kCannotWriteNamed{518};
inline constexpr TextSlot kSplitIntoOne{519};
inline constexpr TextSlot kSplitInto{520};
inline constexpr TextSlot kSplitIntoWithLast{521};
inline constexpr TextSlot kChecksumFileIs{522};
inline constexpr TextSlot kJoinedVerified{523};
inline constexpr TextSlot kJoinedNotVerified{524};
inline constexpr TextSlot kStandardOutputName{525};
inline constexpr TextSlot kStreamPieceMismatch{526};
inline constexpr TextSlot kStandardInputTooLong{527};
inline constexpr TextSlot kOutputIsPiece{528};
inline constexpr TextSlot kInputIsPiece{529};
inline constexpr TextSlot kOptionsConflict{530};
inline constexpr TextSlot kBytesWord{531};
inline constexpr TextSlot kNoCommand{532};
// Where the POSIX restore script is to be placed and run, in its header.
inline constexpr TextSlot kShellScriptPlacementFirst{533};
inline constexpr TextSlot kShellScriptPlacementLast{536};

// A window that tells what it found, and asks before it forgets (540-559).
inline constexpr TextSlot kVerifyResultsHeading{540};
inline constexpr TextSlot kVerifyResultsHint{541};
inline constexpr TextSlot kVerifyAllOk{542};
inline constexpr TextSlot kVerifyNotAllOk{543};
inline constexpr TextSlot kVerifyMoreLines{544};
inline constexpr TextSlot kResetQuestion{545};

// The help for the program as it is, and the words around it (560-659).
inline constexpr TextSlot kNothingCanShowFile{560};
// The verify summary's word for more than one missing file ("2 missing").
inline constexpr TextSlot kCheckMissingMany{561};
// The key a menu's shortcuts are held with, as the menus name it.
inline constexpr TextSlot kControlKey{562};
// The help's shortcut lines for the commands added after the first release.
inline constexpr TextSlot kHelpNewShortcutsFirst{570};
inline constexpr TextSlot kHelpNewShortcutsLast{572};
// Where the help's restore part differs on a system without the command
// interpreter: the script is a shell script, the pieces are joined with cat,
// the floppies are mount points.
inline constexpr TextSlot kHelpShellOfferFirst{580};
inline constexpr TextSlot kHelpShellOfferLast{581};
inline constexpr TextSlot kHelpShellPlacementFirst{582};
inline constexpr TextSlot kHelpShellPlacementLast{585};
inline constexpr TextSlot kHelpCatFirst{586};
inline constexpr TextSlot kHelpCatLast{587};
inline constexpr TextSlot kHelpContentsCat{588};
inline constexpr TextSlot kCatExampleCommand{589};
inline constexpr TextSlot kHelpCatExampleLast{591};
inline constexpr TextSlot kHelpPauseFloppies{592};
inline constexpr TextSlot kHelpEraseFloppies{593};
// The help's sections on what came after the first release.
inline constexpr TextSlot kHelpVerifyFirst{600};
inline constexpr TextSlot kHelpVerifyLast{608};
inline constexpr TextSlot kHelpCommandLineFirst{610};
inline constexpr TextSlot kHelpCommandLineLast{623};
inline constexpr TextSlot kHelpDropFirst{625};
inline constexpr TextSlot kHelpDropLast{628};
inline constexpr TextSlot kHelpShellScriptFirst{630};
inline constexpr TextSlot kHelpShellScriptLast{638};

// The progress of a split, join or Verify in words.
inline constexpr TextSlot kProgressPercent{680};
inline constexpr TextSlot kProgressRate{681};
inline constexpr TextSlot kProgressTimeLeft{682};
inline constexpr TextSlot kProgressPieceOf{683};
inline constexpr TextSlot kProgressPiece{684};

// Records of unfinished work (685-699).
inline constexpr TextSlot kSeriesUnfinished{685};
inline constexpr TextSlot kBigFileNotRemoved{686};
inline constexpr TextSlot kSeriesUnfinishedUncounted{687};

// The command line as scripts and terminals meet it (700-719).
inline constexpr TextSlot kExtraOperand{700};
inline constexpr TextSlot kBadPieceCount{701};
inline constexpr TextSlot kBaseEntryOutOfRange{702};
// The singular of kBytesWord: "1 byte".
inline constexpr TextSlot kByteWord{703};
inline constexpr TextSlot kStandardOutputIsTerminal{704};
inline constexpr TextSlot kStreamNeedsBytes{705};
inline constexpr TextSlot kStreamNeedsName{706};
inline constexpr TextSlot kStreamTooLong{707};
inline constexpr TextSlot kChecksumFileTooLarge{708};
inline constexpr TextSlot kDiskFullForPiece{709};
inline constexpr TextSlot kFreeSpaceTooSmall{710};
inline constexpr TextSlot kUsageListBases{711};
inline constexpr TextSlot kUsedWithoutSize{712};
inline constexpr TextSlot kUsageNamedStream{713};
// What the window tells while it waits for the user (740-759).
inline constexpr TextSlot kEmptyBigFile{740};
inline constexpr TextSlot kEmptyExtraction{741};
inline constexpr TextSlot kExtractionOnNote{742};
inline constexpr TextSlot kAppendingOnNote{743};
inline constexpr TextSlot kDeleteBaseSizeQuestion{744};
inline constexpr TextSlot kCloseButton{745};
// The Pause menu's middle item where floppy drives are mount points, not A: and B:.
inline constexpr TextSlot kPauseFloppies{746};

// Appends that can be taken back, and names that are the series' own (720-739).
inline constexpr TextSlot kAppendNotUndone{720};
inline constexpr TextSlot kAppendUndone{721};
inline constexpr TextSlot kBigFileNamedAsPiece{722};

// What went wrong in a run, with which file and why (830-859).
inline constexpr TextSlot kFlushFailed{830};
inline constexpr TextSlot kNoBuffer{831};
inline constexpr TextSlot kBlockFailed{832};
inline constexpr TextSlot kReadBackFailed{833};
inline constexpr TextSlot kFileConcerned{834};
inline constexpr TextSlot kSystemReason{835};

// Continuing a split or a join that stopped (880-929).
inline constexpr TextSlot kUsageResume{880};
inline constexpr TextSlot kSplitStoppedUseResume{881};
inline constexpr TextSlot kJoinStoppedUseResume{882};
inline constexpr TextSlot kSplitStoppedQuestion{883};
inline constexpr TextSlot kJoinStoppedQuestion{884};
inline constexpr TextSlot kResumedAfter{885};
inline constexpr TextSlot kResumeAfresh{886};
// Why: the big file, the plan, the list, or a record that tells too little.
inline constexpr TextSlot kResumeBigFileChanged{887};
inline constexpr TextSlot kResumePlanChanged{888};
inline constexpr TextSlot kResumeListChanged{889};
inline constexpr TextSlot kResumeNotPossible{890};
inline constexpr TextSlot kHelpResumeFirst{891};
inline constexpr TextSlot kHelpResumeLast{899};
inline constexpr TextSlot kJoinKeptForResume{900};

}  // namespace brelker::slot

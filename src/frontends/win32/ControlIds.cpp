#include "win32/ControlIds.h"

#include <array>
#include <utility>

#include <windows.h>

namespace brelker::win32 {
namespace {

using Entry = std::pair<std::string_view, int>;

constexpr Entry Of(std::string_view name, Command command) { return {name, CommandId(command)}; }

constexpr std::array kNames = {
    // Menu items, then the speed buttons that run the same command.
    Of("ChooseSplitAFile", Command::ChooseSplitAFile),
    Of("FindPlaceToSmallFiles", Command::FindPlaceToSmallFiles),
    Of("DoSplit", Command::DoSplit),
    Of("CreateUnbrelkerFile", Command::CreateUnbrelkerFile),
    Of("JoinFiles", Command::JoinFiles),
    Of("FindPlaceToBigFile", Command::FindPlaceToBigFile),
    Of("DoJoin", Command::DoJoin),
    Of("Verify", Command::Verify),
    Of("ClearRegistry", Command::ClearRegistry),
    Of("Exit", Command::Exit),
    Of("ChangeAlways", Command::ChangeAlways),
    Of("ChangeSometimes", Command::ChangeSometimes),
    Of("ChangeNever", Command::ChangeNever),
    Of("MemoryUsage", Command::MemoryUsage),
    Of("LanguageEnglish", Command::LanguageEnglish),
    Of("LanguageSwedish", Command::LanguageSwedish),
    Of("LanguageGerman", Command::LanguageGerman),
    Of("ChooseFiletype", Command::ChooseFiletype),
    Of("RemoveSmall", Command::RemoveSmall),
    Of("RemoveBig", Command::RemoveBig),
    Of("RemoveSelf", Command::RemoveSelf),
    Of("EraseFloppies", Command::EraseFloppies),
    Of("WriteChecksums", Command::WriteChecksums),
    Of("Extract", Command::Extract),
    Of("Hint", Command::Hint),
    Of("SplitAFileBtn", Command::ChooseSplitAFile),
    Of("FindPlaceToSmallFilesBtn", Command::FindPlaceToSmallFiles),
    Of("DoSplitBtn", Command::DoSplit),
    Of("SelfUnitBtn", Command::CreateUnbrelkerFile),
    Of("JoinFilesBtn", Command::JoinFiles),
    Of("FindPlaceToBigFileBtn", Command::FindPlaceToBigFile),
    Of("DoJoinBtn", Command::DoJoin),
    Of("VerifyBtn", Command::Verify),
    Of("StopBtn", Command::Stop),
    Of("ExitBtn", Command::Exit),
    Entry{"SpeedBar", kSpeedBar},
    Entry{"HintBtn", kHintButton},
    Entry{"BigFileGB", kBigFileGroup},
    Entry{"lblBigFileName", kBigFileNameLabel},
    Entry{"BigFileName", kBigFileName},
    Entry{"lblBigFileSize", kBigFileSizeLabel},
    Entry{"BigFileSize", kBigFileSize},
    Entry{"BigFileRB1", kFirstUnitButton},
    Entry{"BigFileRB2", kFirstUnitButton + 1},
    Entry{"BigFileRB3", kFirstUnitButton + 2},
    Entry{"BigFileRB4", kFirstUnitButton + 3},
    Entry{"BigFileRB5", kFirstUnitButton + 4},
    Entry{"ActualSizeGB", kSmallFilesGroup},
    Entry{"lblSmallFileNames", kPieceNamesLabel},
    Entry{"SmallFileNames", kPieceNames},
    Entry{"BaseSizeHeadline", kBaseSizeHeadline},
    Entry{"CBBaseSize", kBaseSizeBox},
    Entry{"ApplyBaseSize", kApplyBaseSize},
    Entry{"rbSizeBase", kUseBaseSize},
    Entry{"rbSizeFree", kUseFreeSpace},
    Entry{"lblNrFiles", kPieceCount},
    Entry{"SmallerSize", kSizeListHeadline},
    Entry{"SmallerSizesLB", kSizeList},
    Entry{"ChangeItem", kEditedPiece},
    Entry{"lblNewSize", kNewSizeLabel},
    Entry{"txtNewSize", kNewSize},
    Entry{"ApplyNewSize", kApplyNewSize},
    Entry{"PBar", kProgress},
    Entry{"StatusBar", kStatusBar},
    Entry{"ModesNote", kModesNote},
};

// The dialogs' controls; the buttons that end a dialog are IDOK and IDCANCEL.
constexpr std::array kDialogNames = {
    Entry{"lblMaxAllowedRAM", kMemoryHeadline},
    Entry{"txtMaxAllowedFile", kFileShareField},
    Entry{"UpDown2", kFileShareArrows},
    Entry{"lblMaxFile", kFileShareLabel},
    Entry{"txtMaxAllowedRAM", kRamShareField},
    Entry{"UpDown1", kRamShareArrows},
    Entry{"lblMaxRAM", kRamShareLabel},
    Entry{"OkButton", IDOK},
    Entry{"CancelButton", IDCANCEL},
    Entry{"lblFtype", kSuffixPrompt},
    Entry{"txtFtype", kSuffixField},
    Entry{"OkBtn", IDOK},
    Entry{"GroupBox1", kExtractionGroup},
    Entry{"Label1", kExtractionExplained},
    Entry{"rbActivate", kExtractOn},
    Entry{"rbDeactivate", kExtractOff},
    Entry{"Label2", kSkipLabel},
    Entry{"edtSkip", kSkipField},
    Entry{"Label3", kCountLabel},
    Entry{"edtExtract", kCountField},
    Entry{"GroupBox2", kAppendingGroup},
    Entry{"Label4", kAppendingExplained},
    Entry{"rbAppend", kAppendOn},
    Entry{"rbNotAppend", kAppendOff},
    Entry{"BitBtn1", IDOK},
    Entry{"lblList", kEntryListLabel},
    Entry{"ListBox1", kEntryList},
    Entry{"lblDescription", kDescriptionLabel},
    Entry{"txtDescription", kDescriptionField},
    Entry{"lblSize", kSizeLabel},
    Entry{"txtSize", kSizeField},
    Entry{"UpdateBtn", kModifyButton},
    Entry{"DeleteBtn", kDeleteButton},
    Entry{"NewBtn", kNewButton},
    Entry{"ChooseDiskNr", kDiskQuestion},
    Entry{"txtNr", kDiskField},
    Entry{"OKBtn", IDOK},
    Entry{"OnFileBtn", kOnFileButton},
};

}  // namespace

bool CommandOfId(int id, Command& command) {
    if (id < kFirstCommandId || id >= kFirstCommandId + kCommandCount) {
        return false;
    }
    command = static_cast<Command>(id - kFirstCommandId);
    return true;
}

int ControlIdOf(std::string_view name) {
    for (const auto& [known, id] : kNames) {
        if (known == name) {
            return id;
        }
    }
    for (const auto& [known, id] : kDialogNames) {
        if (known == name) {
            return id;
        }
    }
    return 0;
}

}  // namespace brelker::win32

#pragma once

#include <string>
#include <string_view>

#include "model/WindowParts.h"

namespace brelker::win32 {

// Every command has one id, shared by its menu item, its speed button and its
// shortcut, so all three reach the model the same way.
inline constexpr int kFirstCommandId = 1000;
constexpr int CommandId(Command command) { return kFirstCommandId + static_cast<int>(command); }
// The command of an id, or false when the id is no command's.
bool CommandOfId(int id, Command& command);
// The shortcut of a command as its menu item shows it in the current language
// ("Ctrl+A", "Strg+A"); empty for none.
std::string ShortcutText(Command command);

// The main window's other controls, one id for each of its named parts.
inline constexpr int kFirstPartId = 2000;
constexpr int PartId(Part part) { return kFirstPartId + static_cast<int>(part); }
enum ControlId : int {
    kSpeedBar = PartId(Part::SpeedBar),
    kHintButton = PartId(Part::HintButton),
    kBigFileGroup = PartId(Part::BigFileGroup),
    kBigFileNameLabel = PartId(Part::BigFileNameLabel),
    kBigFileName = PartId(Part::BigFileName),
    kBigFileSizeLabel = PartId(Part::BigFileSizeLabel),
    kBigFileSize = PartId(Part::BigFileSize),
    kFirstUnitButton = PartId(Part::FirstUnitButton),
    kLastUnitButton = PartId(Part::LastUnitButton),
    kSmallFilesGroup = PartId(Part::SmallFilesGroup),
    kPieceNamesLabel = PartId(Part::PieceNamesLabel),
    kPieceNames = PartId(Part::PieceNames),
    kBaseSizeHeadline = PartId(Part::BaseSizeHeadline),
    kBaseSizeBox = PartId(Part::BaseSizeBox),
    kApplyBaseSize = PartId(Part::ApplyBaseSize),
    kUseBaseSize = PartId(Part::UseBaseSize),
    kUseFreeSpace = PartId(Part::UseFreeSpace),
    kPieceCount = PartId(Part::PieceCount),
    kSizeListHeadline = PartId(Part::SizeListHeadline),
    kSizeList = PartId(Part::SizeList),
    kEditedPiece = PartId(Part::EditedPiece),
    kNewSizeLabel = PartId(Part::NewSizeLabel),
    kNewSize = PartId(Part::NewSize),
    kApplyNewSize = PartId(Part::ApplyNewSize),
    kProgress = PartId(Part::Progress),
    kStatusBar = PartId(Part::StatusBar),
    kModesNote = PartId(Part::ModesNote),
};

// The controls of the option dialogs, the disk count question and How It Works.
enum DialogControlId : int {
    kMemoryHeadline = 3000,  // lblMaxAllowedRAM
    kFileShareField,         // txtMaxAllowedFile
    kFileShareArrows,        // UpDown2
    kFileShareLabel,         // lblMaxFile
    kRamShareField,          // txtMaxAllowedRAM
    kRamShareArrows,         // UpDown1
    kRamShareLabel,          // lblMaxRAM
    kSuffixPrompt,           // lblFtype
    kSuffixField,            // txtFtype
    kExtractionGroup,        // GroupBox1
    kExtractionExplained,    // Label1
    kExtractOn,              // rbActivate
    kExtractOff,             // rbDeactivate
    kSkipLabel,              // Label2
    kSkipField,              // edtSkip
    kCountLabel,             // Label3
    kCountField,             // edtExtract
    kAppendingGroup,         // GroupBox2
    kAppendingExplained,     // Label4
    kAppendOn,               // rbAppend
    kAppendOff,              // rbNotAppend
    kEntryListLabel,         // lblList
    kEntryList,              // ListBox1
    kDescriptionLabel,       // lblDescription
    kDescriptionField,       // txtDescription
    kSizeLabel,              // lblSize
    kSizeField,              // txtSize
    kModifyButton,           // UpdateBtn
    kDeleteButton,           // DeleteBtn
    kNewButton,              // NewBtn
    kDiskQuestion,           // ChooseDiskNr
    kDiskField,              // txtNr
    kDiskArrows,             // the field's arrows
    kManualList,             // ListBox1 of How It Works
    kOnFileButton,           // OnFileBtn
};

// The id of a control or menu item by the name the program's documents give
// it ("DoSplitBtn", "SmallerSizesLB", "RemoveBig"); 0 for an unknown name.
int ControlIdOf(std::string_view name);

}  // namespace brelker::win32

#include "win32/ControlIds.h"

#include <array>
#include <utility>

#include <windows.h>

namespace brelker::win32 {
namespace {

using Entry = std::pair<std::string_view, int>;

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
    // Menu items, the speed buttons that run the same commands, the other parts.
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.inMenu && entry.name == name) {
            return CommandId(entry.command);
        }
    }
    for (const SpeedButtonEntry& entry : kSpeedBarTable) {
        if (entry.name == name) {
            return CommandId(entry.command);
        }
    }
    for (int part = 0; part < kPartCount; ++part) {
        if (NameOf(static_cast<Part>(part)) == name) {
            return PartId(static_cast<Part>(part));
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

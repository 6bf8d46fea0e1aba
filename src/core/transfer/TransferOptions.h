#pragma once

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "transfer/PauseMode.h"

namespace brelker {

inline constexpr int kProgressMaximum = 1000;

// Options that shape a run, taken from the main window's fields.
struct TransferOptions {
    int MaxFromRAM = settings::MaxFromRAM.defaultValue;
    int MaxFromFile = settings::MaxFromFile.defaultValue;
    std::string Suffix{settings::AddedFileType.defaultValue};
    brelker::PauseMode PauseMode =
        static_cast<brelker::PauseMode>(settings::ChangeDisk.defaultValue);
    bool UseFreeSpace = settings::UseFreeSpace.defaultValue;
    bool RemoveSmallFiles = settings::RemoveSmallFiles.defaultValue;
    bool RemoveBigFile = settings::RemoveBigFile.defaultValue;
    bool EraseFloppyDisks = settings::EraseFloppyDisks.defaultValue;
    bool WriteChecksumFile = settings::WriteChecksumFile.defaultValue;
};

// Unreadable: the file is there, but it could not be read to the end.
enum class CheckState { Ok, Failed, Missing, Unreadable };

// What Verify found: each piece of the series in order, then the joined file
// when it is there.
struct VerifyReport {
    struct Entry {
        std::string path;
        CheckState state;
    };
    std::string checksumFile;
    std::vector<Entry> entries;
};

}  // namespace brelker

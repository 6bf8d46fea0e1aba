#pragma once

#include <array>

#include "platform/Version.h"
#include "settings/SettingsStore.h"

// Every value the program stores, with its type and default. Readers and
// writers name these, never strings of their own.
namespace brelker::settings {

// The subkeys, in the order a reset deletes them.
inline constexpr std::array kResetOrder = {
    subkey::BigUnit,  subkey::Language,   subkey::Memory,        subkey::Position, subkey::Path,
    subkey::BaseSize, subkey::ChangeDisk, subkey::AddedFileType, subkey::DelFile};

inline constexpr IntegerSetting Language{subkey::Language, "Language", 0};

inline constexpr BoolSetting RemoveSmallFiles{subkey::DelFile, "RemoveSmallFiles", false};
inline constexpr BoolSetting RemoveBigFile{subkey::DelFile, "RemoveBigFile", false};
inline constexpr BoolSetting RemoveSelfUnit{subkey::DelFile, "RemoveSelfUnit", false};
inline constexpr BoolSetting EraseFloppyDisks{subkey::DelFile, "EraseFloppyDisks", false};
inline constexpr BoolSetting WriteChecksumFile{subkey::DelFile, "WriteChecksumFile", true};

// Per cent of a piece a block takes at least, and of physical memory at most.
inline constexpr IntegerSetting MaxFromFile{subkey::Memory, "MaxFromFile", 10, 1, 100};
inline constexpr IntegerSetting MaxFromRAM{subkey::Memory, "MaxFromRAM", 20, 1, 50};

inline constexpr IntegerSetting MainTop{subkey::Position, "mainTop", 50};
inline constexpr IntegerSetting MainLeft{subkey::Position, "mainLeft", 100};

inline constexpr StringSetting AddedFileType{subkey::AddedFileType, "AddedFileType", ".Brelked_"};

// The default of both folders is the current folder at start-up: readers pass it.
inline constexpr std::string_view SplitPath = "SplitPath";
inline constexpr std::string_view JoinPath = "JoinPath";

inline constexpr BoolSetting UseFreeSpace{subkey::BaseSize, "UseFreeSpace", false};
inline constexpr IntegerSetting BaseSizes{subkey::BaseSize, "BaseSizes", 0};
// The main window reads the selection with default 1, the editor's delete with 0.
inline constexpr IntegerSetting BaseSizeIndex{subkey::BaseSize, "BaseSizeIndex", 1};
inline constexpr std::string_view BaseSizeValuePrefix = "BaseSizeValue_";
inline constexpr std::string_view BaseSizeValueDefault = "1";
inline constexpr std::string_view BaseSizeTextPrefix = "BaseSizeText_";
inline constexpr std::string_view BaseSizeTextDefault = "(undefined)";

// The unit of the big file's size (SizeUnit's numbers).
inline constexpr IntegerSetting BigUnit{subkey::BigUnit, "BigUnit", 3};
// The pause mode (PauseMode's numbers).
inline constexpr IntegerSetting ChangeDisk{subkey::ChangeDisk, "ChangeDisk", 1};

}  // namespace brelker::settings

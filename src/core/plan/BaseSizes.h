#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace brelker {

struct DefaultBaseSize {
    std::string_view text;
    std::int64_t bytes;
};

// Written when the stored list is missing or empty. The '' stands for an inch
// mark; floppy sizes are whole 512-byte sectors, the CD-ROM 650 * 2^20 bytes.
inline constexpr std::array<DefaultBaseSize, 9> kDefaultBaseSizes = {{
    {"720 kB 3.5'' single", 730'112},
    {"1.44 MB 3.5'' double", 1'457'664},
    {"100 MB Iomega Zip drive", 100'431'872},
    {"105 MB SyQuest", 109'850'624},
    {"120 MB SuperDisk", 125'958'144},
    {"270 MB SyQuest", 267'612'160},
    {"650 MB CD-ROM", 681'574'400},
    {"1 GB Jaz Drive", 1'070'284'800},
    {"1 TB Mass Storage", 1'099'511'627'776},
}};
inline constexpr int kDefaultBaseSizeIndex = settings::BaseSizeIndex.defaultValue;

// What a size typed in the editor becomes when it is not a positive number.
inline constexpr std::int64_t kFallbackBaseSize =
    kDefaultBaseSizes[static_cast<std::size_t>(kDefaultBaseSizeIndex)].bytes;

// A stored count beyond this comes from a damaged store, not from a person;
// no more entries than this are ever read.
inline constexpr int kMostBaseSizes = 1000;

// The named base sizes as the main window holds them: a cache of the store.
struct BaseSizeList {
    std::vector<std::int64_t> BaseSizeValues;
    std::vector<std::string> BaseSizeTexts;
    int count = 0;
    // 0-based selection as stored; may lie outside the list in a hand-edited store.
    int BaseSizeIndex = kDefaultBaseSizeIndex;
};

std::string BaseSizeValueName(int index);
std::string BaseSizeTextName(int index);

// Reads the list from the store, first writing the nine defaults when the
// stored count is missing, 0 or negative.
BaseSizeList LoadBaseSizes(SettingsStore& store);

// Stored sizes and typed sizes are read the tolerant way and kept exact in 64 bits.
std::int64_t ReadStoredBaseSize(const SettingsStore& store, int index);
std::string ReadStoredBaseSizeText(const SettingsStore& store, int index);
// The stored count, kept within what can be read.
int ReadStoredBaseSizeCount(const SettingsStore& store);

// The edits of the base size editor on a stored list of count entries. A
// modified or new entry becomes the chosen one; the new count is returned.
void ModifyStoredBaseSize(SettingsStore& store, int index, std::string_view text,
                          std::int64_t size);
int AddStoredBaseSize(SettingsStore& store, int count, std::string_view text, std::int64_t size);
int DeleteStoredBaseSize(SettingsStore& store, int count, int index);

}  // namespace brelker

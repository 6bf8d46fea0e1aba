#include "model/WindowParts.h"

#include "text/HelpLines.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using enum Command;
using enum ItemKind;
using enum CaptionForm;

constexpr TextSlot kNone{0};

// A menu item; the separator and the shortcut come after it where it has them.
struct Item {
    CommandEntry entry;
    constexpr Item(Command command, std::string_view name, Menu menu, TextSlot caption,
                   TextSlot hint, CaptionForm form = Text, ItemKind kind = Plain)
        : entry{command, name, true, menu, false, '\0', kind, caption, form, hint} {}
    constexpr Item Key(char letter) const {
        Item keyed = *this;
        keyed.entry.shortcut = letter;
        return keyed;
    }
    constexpr Item AfterSeparator() const {
        Item separated = *this;
        separated.entry.separatorBefore = true;
        return separated;
    }
    constexpr operator CommandEntry() const { return entry; }  // NOLINT: a table's row
};

constexpr Item File(Command command, std::string_view name, TextSlot caption, TextSlot hint,
                    CaptionForm form = Text) {
    return Item(command, name, Menu::File, caption, hint, form);
}
constexpr Item Option(Command command, std::string_view name, TextSlot caption, TextSlot hint) {
    return Item(command, name, Menu::Options, caption, hint, Text, Check);
}

// Floppies are drives A: and B: on Windows only; elsewhere they are mount points.
constexpr TextSlot kPauseSometimesSlot =
    kThisHelpSystem == HelpSystem::Windows ? slot::kPauseSometimes : slot::kPauseFloppies;

constexpr CommandEntry kStop{Stop, "Stop", false, Menu::Help, false,
                             '\0', Plain,  kNone, Text,       slot::kPauseButtonHint};

}  // namespace

const std::array<CommandEntry, kCommandCount> kCommandTable = {
    File(ChooseSplitAFile, "ChooseSplitAFile", slot::kChooseSplitFile, slot::kChooseSplitFileHint)
        .Key('A'),
    File(FindPlaceToSmallFiles, "FindPlaceToSmallFiles", slot::kFindSmallFilesPlace,
         slot::kFindSmallFilesPlaceHint)
        .Key('B'),
    File(DoSplit, "DoSplit", slot::kDoSplit, slot::kDoSplitHint).Key('S'),
    File(CreateUnbrelkerFile, "CreateUnbrelkerFile", slot::kCreateSelfUnit,
         slot::kCreateSelfUnitHint, Mnemonic)
        .Key('R'),
    File(JoinFiles, "JoinFiles", slot::kChooseJoinFile, slot::kChooseJoinFileHint)
        .Key('D')
        .AfterSeparator(),
    File(FindPlaceToBigFile, "FindPlaceToBigFile", slot::kFindBigFilePlace,
         slot::kFindBigFilePlaceHint)
        .Key('E'),
    File(DoJoin, "DoJoin", slot::kDoJoin, slot::kDoJoinHint).Key('J'),
    File(Verify, "Verify", slot::kVerifySeries, slot::kVerifySeriesHint, Dots).Key('K'),
    File(ClearRegistry, "ClearRegistry", slot::kResetSettings, slot::kResetSettingsHint)
        .AfterSeparator(),
    File(Exit, "Exit", slot::kExit, slot::kExitHint).Key('Q'),
    Item(ChangeAlways, "ChangeAlways", Menu::ChangeOfDisk, slot::kPauseAlways, slot::kPauseHint,
         Text, Radio),
    Item(ChangeSometimes, "ChangeSometimes", Menu::ChangeOfDisk, kPauseSometimesSlot,
         slot::kPauseHint, Text, Radio),
    Item(ChangeNever, "ChangeNever", Menu::ChangeOfDisk, slot::kPauseNever, slot::kPauseHint, Text,
         Radio),
    Item(MemoryUsage, "MemoryUsage", Menu::Memory, slot::kMemoryUsage, slot::kMemoryUsageHint,
         MnemonicDots)
        .Key('M'),
    Item(LanguageEnglish, "LanguageEnglish", Menu::Language, slot::kEnglishItem,
         slot::kLanguageHint, Text, Radio),
    Item(LanguageSwedish, "LanguageSwedish", Menu::Language, slot::kSwedishItem,
         slot::kLanguageHint, Text, Radio),
    Item(LanguageGerman, "LanguageGerman", Menu::Language, slot::kGermanItem, kNone, Text, Radio),
    Item(ChooseFiletype, "ChooseFiletype", Menu::Options, slot::kChangeSuffix,
         slot::kChangeSuffixHint, MnemonicDots),
    Option(RemoveSmall, "RemoveSmall", slot::kRemoveSmallFiles, slot::kRemoveFilesHint)
        .AfterSeparator(),
    Option(RemoveBig, "RemoveBig", slot::kRemoveBigFile, slot::kRemoveFilesHint),
    Option(RemoveSelf, "RemoveSelf", slot::kRemoveSelfUnit, slot::kRemoveFilesHint),
    Option(EraseFloppies, "EraseFloppies", slot::kEraseFloppies, slot::kRemoveFilesHint),
    Option(WriteChecksums, "WriteChecksums", slot::kWriteChecksumFile,
           slot::kWriteChecksumFileHint),
    Item(Extract, "Extract", Menu::Options, slot::kExtractOrAppend, kNone, Dots).AfterSeparator(),
    Item(Hint, "Hint", Menu::Help, slot::kHowItWorks, slot::kHowItWorksHint, Dots).Key('H'),
    // Stop has a speed button only.
    kStop,
};

const CommandEntry& EntryOf(Command command) {
    return kCommandTable[static_cast<std::size_t>(command)];
}

const std::array<MenuEntry, kMenuCount> kMenuTable = {{
    {Menu::File, "File1", slot::kFileMenu},
    {Menu::ChangeOfDisk, "ChangeOfDisk", slot::kPauseMenu},
    {Menu::Memory, "Memory1", slot::kMemoryMenu},
    {Menu::Language, "Language1", slot::kLanguageMenu},
    {Menu::Options, "Options", slot::kOptionsMenu},
    {Menu::Help, "Help1", slot::kHelpMenu},
}};

const std::array<SpeedButtonEntry, 10> kSpeedBarTable = {{
    {ChooseSplitAFile, "SplitAFileBtn", Picture::ChooseBigFile, false},
    {FindPlaceToSmallFiles, "FindPlaceToSmallFilesBtn", Picture::PiecesPlace, false},
    {DoSplit, "DoSplitBtn", Picture::Split, false},
    {CreateUnbrelkerFile, "SelfUnitBtn", Picture::SelfUnit, false},
    {JoinFiles, "JoinFilesBtn", Picture::ChoosePiece, true},
    {FindPlaceToBigFile, "FindPlaceToBigFileBtn", Picture::BigFilePlace, false},
    {DoJoin, "DoJoinBtn", Picture::Join, false},
    {Verify, "VerifyBtn", Picture::Verify, false},
    {Stop, "StopBtn", Picture::Stop, true},
    {Exit, "ExitBtn", Picture::Exit, false},
}};

std::string_view NameOf(Part part) {
    static constexpr std::array<std::string_view, kPartCount> kNames = {
        "SpeedBar",         "HintBtn",      "BigFileGB",      "lblBigFileName",    "BigFileName",
        "lblBigFileSize",   "BigFileSize",  "BigFileRB1",     "BigFileRB2",        "BigFileRB3",
        "BigFileRB4",       "BigFileRB5",   "ActualSizeGB",   "lblSmallFileNames", "SmallFileNames",
        "BaseSizeHeadline", "CBBaseSize",   "ApplyBaseSize",  "rbSizeBase",        "rbSizeFree",
        "lblNrFiles",       "SmallerSize",  "SmallerSizesLB", "ChangeItem",        "lblNewSize",
        "txtNewSize",       "ApplyNewSize", "PBar",           "StatusBar",         "ModesNote",
    };
    return kNames[static_cast<std::size_t>(part)];
}

}  // namespace brelker

#pragma once

#include <array>
#include <string_view>

#include "text/TextSlot.h"

namespace brelker {

// The commands of the main window: each is one menu item, most with a speed
// button that shares its state. Stop is the speed button alone.
enum class Command {
    ChooseSplitAFile,
    FindPlaceToSmallFiles,
    DoSplit,
    CreateUnbrelkerFile,
    JoinFiles,
    FindPlaceToBigFile,
    DoJoin,
    Verify,
    ClearRegistry,
    Exit,
    ChangeAlways,
    ChangeSometimes,
    ChangeNever,
    MemoryUsage,
    LanguageEnglish,
    LanguageSwedish,
    LanguageGerman,
    ChooseFiletype,
    RemoveSmall,
    RemoveBig,
    RemoveSelf,
    EraseFloppies,
    WriteChecksums,
    Extract,
    Hint,
    Stop,
};
inline constexpr int kCommandCount = static_cast<int>(Command::Stop) + 1;

// The Language menu's item of each language, in the order of their numbers.
inline constexpr std::array kLanguageCommands = {Command::LanguageEnglish, Command::LanguageSwedish,
                                                 Command::LanguageGerman};

// The menus, which the work switches off as a whole.
enum class Menu { File, ChangeOfDisk, Memory, Language, Options, Help };
inline constexpr int kMenuCount = static_cast<int>(Menu::Help) + 1;

// The controls of the size plan.
enum class Control {
    BaseSizeBox,    // CBBaseSize
    UseBaseSize,    // rbSizeBase
    UseFreeSpace,   // rbSizeFree
    ApplyBaseSize,  // the base size editor's button
    SizeList,       // SmallerSizesLB
    NewSize,        // txtNewSize
    ApplyNewSize,   // its button
    EditedPiece,    // ChangeItem
};
inline constexpr int kControlCount = static_cast<int>(Control::EditedPiece) + 1;

// The speed bar's pictures, which each window draws or loads its own way.
enum class Picture {
    ChooseBigFile,
    PiecesPlace,
    Split,
    SelfUnit,
    ChoosePiece,
    BigFilePlace,
    Join,
    Verify,
    Stop,
    Exit
};

// How a command's menu item shows its state: none, a check mark, or the dot
// of one of three.
enum class ItemKind { Plain, Check, Radio };

// How a caption is made from its text: the mnemonic in front ("&Memory"), the
// dots of an item that opens a dialog, both, or the text alone.
enum class CaptionForm { Text, Dots, Mnemonic, MnemonicDots };

// One command as both windows build it: its object name (which the tests and
// the documents use), its menu with a separator before it or none, the letter
// that Ctrl takes to it, its texts.
struct CommandEntry {
    Command command;
    std::string_view name;
    bool inMenu;
    Menu menu;
    bool separatorBefore;
    char shortcut;  // Ctrl with this letter; 0 for none
    ItemKind kind;
    TextSlot caption;  // TextSlot(0): no caption
    CaptionForm form;
    TextSlot hint;  // TextSlot(0): no hint
};

// Every command in menu order, which is the order of Command.
extern const std::array<CommandEntry, kCommandCount> kCommandTable;
const CommandEntry& EntryOf(Command command);

struct MenuEntry {
    Menu menu;
    std::string_view name;
    TextSlot caption;
};
extern const std::array<MenuEntry, kMenuCount> kMenuTable;

// The speed bar from left to right, a gap before a new group.
struct SpeedButtonEntry {
    Command command;
    std::string_view name;
    Picture picture;
    bool gapBefore;
};
extern const std::array<SpeedButtonEntry, 10> kSpeedBarTable;

// The window's other named parts, in the order of their ids on Windows.
enum class Part {
    SpeedBar,
    HintButton,  // How It Works: a text button at the speed bar's end
    BigFileGroup,
    BigFileNameLabel,
    BigFileName,
    BigFileSizeLabel,
    BigFileSize,
    FirstUnitButton,  // B, kB, MB, GB, TB
    LastUnitButton = FirstUnitButton + 4,
    SmallFilesGroup,
    PieceNamesLabel,
    PieceNames,
    BaseSizeHeadline,
    BaseSizeBox,
    ApplyBaseSize,
    UseBaseSize,
    UseFreeSpace,
    PieceCount,
    SizeListHeadline,
    SizeList,
    EditedPiece,
    NewSizeLabel,
    NewSize,
    ApplyNewSize,
    Progress,
    StatusBar,
    ModesNote,
};
inline constexpr int kPartCount = static_cast<int>(Part::ModesNote) + 1;

// The object name of a part ("BigFileGB", "SmallerSizesLB").
std::string_view NameOf(Part part);
// The units' captions, which no language changes.
inline constexpr std::array<std::string_view, 5> kUnitCaptions = {"B", "kB", "MB", "GB", "TB"};

}  // namespace brelker

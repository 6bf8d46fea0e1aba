// The Win32 window over the window model, in the test's own process on a
// virtual display: what the controls show after the model decided, which
// command each menu item, speed button and shortcut sends, captions that fit
// their controls in every language, drops, placement and two dialogs.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <windows.h>
#undef DeleteFile
#include <commctrl.h>

#include "FaultyPlatform.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "platform/WideText.h"
#include "settings/MemoryModel.h"
#include "settings/Settings.h"
#include "settings/SuffixModel.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "win32/ControlIds.h"
#include "win32/OptionDialogs.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

// After the test helpers: it declares a global "byte" that their locals would shadow.
#include <shlobj.h>

namespace brelker::win32 {
namespace {

class Win32WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        previousFolder = std::filesystem::current_path();
        std::filesystem::create_directory(folder / "pieces");
        std::filesystem::current_path(folder.Path());
        store.WriteStringSetting(subkey::Path, settings::SplitPath, folder.Path());
        store.WriteStringSetting(subkey::Path, settings::JoinPath, folder / "pieces");
        store.Write(settings::ChangeDisk, 2);
    }
    void TearDown() override {
        window.reset();
        // Nothing one test left in the queue (a key's character) reaches the next.
        MSG left;
        while (::PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {
        }
        std::filesystem::current_path(previousFolder);
        SetCurrentLanguage(kEnglish);
        FillTextTable(settings::AddedFileType.defaultValue);
    }

    void Start(const std::vector<std::string>& arguments = {}) {
        window =
            std::make_unique<Win32Window>(::GetModuleHandleW(nullptr), platform, store, dialogs);
        window->Start(arguments);
        ::ShowWindow(window->Handle(), SW_SHOWNOACTIVATE);
    }
    std::string BigFile(std::int64_t size = 3'000'000) {
        const std::string path = folder / "big.bin";
        WriteFile(path, PatternBytes(size));
        return path;
    }

    HWND Item(const char* name) const { return ::GetDlgItem(window->Handle(), ControlIdOf(name)); }
    HWND SpeedBar() const { return Item("SpeedBar"); }
    void Send(Command command) const {
        ::SendMessageW(window->Handle(), WM_COMMAND, static_cast<WPARAM>(CommandId(command)), 0);
    }
    std::vector<std::string> ListLines() const {
        std::vector<std::string> lines;
        const HWND list = Item("SmallerSizesLB");
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            wchar_t text[64] = {};
            ListView_GetItemText(list, i, 0, text, 64);
            lines.push_back(Narrow(text));
        }
        return lines;
    }
    std::string StatusPanel(int panel) const {
        wchar_t text[512] = {};
        ::SendMessageW(Item("StatusBar"), SB_GETTEXTW, static_cast<WPARAM>(panel),
                       reinterpret_cast<LPARAM>(text));
        return Narrow(text);
    }

    // Every state that the menus, the speed bar and the controls show is the model's.
    void ExpectViewShowsTheModel() const {
        WindowModel& model = window->Model();
        const HMENU menus = ::GetMenu(window->Handle());
        for (int i = 0; i < kCommandCount; ++i) {
            const auto command = static_cast<Command>(i);
            const auto id = static_cast<UINT>(CommandId(command));
            const UINT state = ::GetMenuState(menus, id, MF_BYCOMMAND);
            if (state != 0xFFFFFFFF) {
                EXPECT_EQ((state & MF_GRAYED) == 0, model.Enabled(command)) << "menu item " << i;
                EXPECT_EQ((state & MF_CHECKED) != 0, model.Checked(command)) << "check " << i;
            }
            if (::SendMessageW(SpeedBar(), TB_COMMANDTOINDEX, id, 0) >= 0) {
                EXPECT_EQ(::SendMessageW(SpeedBar(), TB_ISBUTTONENABLED, id, 0) != 0,
                          model.Enabled(command))
                    << "speed button " << i;
            }
        }
        for (int i = 0; i < kMenuCount; ++i) {
            const UINT state = ::GetMenuState(menus, static_cast<UINT>(i), MF_BYPOSITION);
            EXPECT_EQ((state & MF_GRAYED) == 0, model.Enabled(static_cast<Menu>(i))) << i;
        }
        const char* const controls[] = {"CBBaseSize",    "rbSizeBase",     "rbSizeFree",
                                        "ApplyBaseSize", "SmallerSizesLB", "txtNewSize",
                                        "ApplyNewSize",  "ChangeItem"};
        for (int i = 0; i < kControlCount; ++i) {
            EXPECT_EQ(::IsWindowEnabled(Item(controls[i])) != 0,
                      model.Enabled(static_cast<Control>(i)))
                << controls[i];
        }
    }

    std::filesystem::path previousFolder;
    TempFolder folder;
    FaultyPlatform platform;
    TestSettingsStore store{folder / "settings.conf"};
    ScriptedDialogs dialogs;
    std::unique_ptr<Win32Window> window;
};

TEST_F(Win32WindowTest, TheControlsShowEveryStateOfASplitAndAJoin) {
    const std::string big = BigFile();
    Start({"/bigfile=" + big});
    ExpectViewShowsTheModel();
    EXPECT_TRUE(window->Model().Enabled(Command::DoSplit));
    EXPECT_EQ(ListLines(), (std::vector<std::string>{"1457664", "1457664", "84672"}));
    EXPECT_EQ(StatusPanel(1), Text(slot::kReadyToSplit));

    Send(Command::DoSplit);
    ExpectViewShowsTheModel();
    EXPECT_TRUE(window->Model().Enabled(Command::CreateUnbrelkerFile));
    EXPECT_EQ(StatusPanel(1), Text(slot::kFileSplit));

    dialogs.paths.push_back(folder / "pieces/big.bin.Brelked_1");
    Send(Command::JoinFiles);
    ExpectViewShowsTheModel();
    EXPECT_TRUE(window->Model().Enabled(Command::DoJoin));
    EXPECT_FALSE(::IsWindowEnabled(Item("CBBaseSize")));

    dialogs.answers.push_back(true);  // replace the big file
    Send(Command::DoJoin);
    ExpectViewShowsTheModel();
    EXPECT_EQ(ReadFile(big), PatternBytes(3'000'000));
}

TEST_F(Win32WindowTest, MenuItemsSpeedButtonsAndShortcutsSendTheirCommands) {
    Start();
    Send(Command::RemoveBig);
    EXPECT_TRUE(window->Model().Checked(Command::RemoveBig));
    EXPECT_NE(
        ::GetMenuState(::GetMenu(window->Handle()), CommandId(Command::RemoveBig), MF_BYCOMMAND) &
            MF_CHECKED,
        0U);

    // A click on the first speed button asks for the big file.
    RECT button{};
    ::SendMessageW(SpeedBar(), TB_GETRECT, CommandId(Command::ChooseSplitAFile),
                   reinterpret_cast<LPARAM>(&button));
    const LPARAM at =
        MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ::SendMessageW(SpeedBar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(SpeedBar(), WM_LBUTTONUP, 0, at);
    ASSERT_EQ(dialogs.asked.size(), 1U);
    EXPECT_EQ(dialogs.asked.back().title, Text(slot::kChooseSplitFileTitle));

    // Ctrl with a letter, as the message loop sees it.
    const auto press = [this](char key) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        MSG message{window->Handle(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {}};
        const bool taken = window->TranslateKeys(message);
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
        return taken;
    };
    EXPECT_TRUE(press('D'));
    EXPECT_EQ(dialogs.asked.back().title, Text(slot::kChooseFirstPiece));
    EXPECT_TRUE(press('M'));
    EXPECT_TRUE(press('H'));
    EXPECT_EQ(dialogs.dialogsRun, (std::vector<std::string>{"TMemory", "TfrmHint"}));
    EXPECT_TRUE(press('Q'));
    EXPECT_TRUE(window->QuitRequested());
}

TEST_F(Win32WindowTest, ReturnAppliesANewSizeButIsNoCommandInTheList) {
    Start({"/bigfile=" + BigFile()});
    const HWND list = Item("SmallerSizesLB");
    const auto returnIn = [this](HWND control) {
        ::SetFocus(control);
        MSG message{control, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        window->TranslateKeys(message);
    };
    returnIn(list);
    EXPECT_TRUE(dialogs.shown.empty());

    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(::IsWindowEnabled(Item("txtNewSize")));
    ::SetWindowTextW(Item("txtNewSize"), L"2000000");
    returnIn(Item("txtNewSize"));
    EXPECT_EQ(ListLines(), (std::vector<std::string>{"2000000", "1000000"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Win32WindowTest, EveryCaptionFitsItsControlInEveryLanguage) {
    Start({"/bigfile=" + BigFile()});
    const char* const captioned[] = {
        "lblBigFileName",   "lblBigFileSize", "BigFileGB",  "ActualSizeGB", "lblSmallFileNames",
        "BaseSizeHeadline", "ApplyBaseSize",  "rbSizeBase", "rbSizeFree",   "lblNrFiles",
        "SmallerSize",      "ChangeItem",     "lblNewSize", "ApplyNewSize", "HintBtn"};
    for (const Command language :
         {Command::LanguageSwedish, Command::LanguageGerman, Command::LanguageEnglish}) {
        Send(language);
        // The longest count a plan can show must fit too.
        ::SetWindowTextW(Item("lblNrFiles"), Widen(Text(slot::kFileCount) + "32736").c_str());
        for (const char* name : captioned) {
            RECT shown{};
            ::GetWindowRect(Item(name), &shown);
            EXPECT_LE(window->CaptionWidthNeeded(ControlIdOf(name)), shown.right - shown.left)
                << name << " in language " << CurrentLanguage();
        }
    }
}

TEST_F(Win32WindowTest, AFileDroppedFromExplorerIsTakenByItsName) {
    // A name outside the ANSI code page: it goes by UTF-16 from Explorer to the model.
    const std::string piece = folder.Path() +
                              "\\pieces\\Grundgr\xC3\xB6\xC3\x9F"
                              "e \xE2\x82\xAC.bin.Brelked_1";
    const FileHandle file = platform.CreateForWriting(piece);
    ASSERT_NE(file, kNoFile);
    platform.Write(file, "12345", 5);
    platform.Close(file);
    Start();
    const std::wstring name = Widen(piece);
    const std::size_t bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    name.copy(reinterpret_cast<wchar_t*>(drop + 1), name.size());
    ::GlobalUnlock(memory);
    ::SendMessageW(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);

    // A piece's name starts a join of its series, as if chosen in the dialog.
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(window->Model().CurrentJob().SmallFilesBase + ".Brelked_1", piece);
    EXPECT_TRUE(window->Model().Enabled(Command::DoJoin));
}

TEST_F(Win32WindowTest, AWindowStoredOffEveryScreenOpensOnTheScreen) {
    store.Write(settings::MainLeft, -20000);
    store.Write(settings::MainTop, 15000);
    Start();
    RECT frame{};
    ::GetWindowRect(window->Handle(), &frame);
    const RECT room = WorkAreaOf(nullptr);
    EXPECT_GE(frame.left, room.left);
    EXPECT_GE(frame.top, room.top);
    EXPECT_LE(frame.top, room.bottom - 16);
    // Closing stores where it is now.
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(store.Read(settings::MainLeft), frame.left);
    EXPECT_EQ(store.Read(settings::MainTop), frame.top);
}

// Acts on the dialog that shows next, from inside its own modal loop.
std::function<void(HWND)> pendingAction;
void WhenADialogShows(std::function<void(HWND)> action) {
    pendingAction = std::move(action);
    ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = ::FindWindowW(L"#32770", nullptr);
        if (dialog == nullptr) {
            return;
        }
        ::KillTimer(nullptr, timer);
        std::exchange(pendingAction, nullptr)(dialog);
    });
}

std::string FieldText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }

void Click(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

TEST_F(Win32WindowTest, TheMemoryDialogReplacesANumberOutOfBoundsAsItIsTyped) {
    SetCurrentLanguage(kGerman);
    MemoryModel memory(store);
    std::vector<std::string> fields;
    WhenADialogShows([&fields](HWND dialog) {
        // Every label as wide as its German text.
        for (const int id : {kMemoryHeadline, kFileShareLabel, kRamShareLabel}) {
            const HWND label = ::GetDlgItem(dialog, id);
            const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
            RECT shown{};
            ::GetWindowRect(label, &shown);
            EXPECT_LE(TextExtent(font, TextOf(label)).cx, shown.right - shown.left) << id;
        }
        fields.push_back(FieldText(dialog, kRamShareField));
        ::SetDlgItemTextW(dialog, kRamShareField, L"75");
        fields.push_back(FieldText(dialog, kRamShareField));
        ::SetDlgItemTextW(dialog, kFileShareField, L"100");
        fields.push_back(FieldText(dialog, kFileShareField));
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(RunMemoryDialog(nullptr, memory));
    EXPECT_EQ(fields, (std::vector<std::string>{"20", "20", "100"}));
    EXPECT_EQ(memory.MaxFromFileText(), "100");
    EXPECT_EQ(memory.MaxFromRAMText(), "20");
}

TEST_F(Win32WindowTest, TheSuffixDialogWarnsOfAForbiddenCharacterAndCannotTakeIt) {
    SuffixModel suffix(store);
    int warnings = 0;
    bool okWithForbidden = true;
    WhenADialogShows([&okWithForbidden](HWND dialog) {
        ::SetDlgItemTextW(dialog, kSuffixField, L".a?b");
        okWithForbidden = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != 0;
        Click(dialog, IDOK);  // does nothing while it is off
        ::SetDlgItemTextW(dialog, kSuffixField, L"_part");
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(RunSuffixDialog(
        nullptr, suffix, [&warnings](const std::string&, const std::string&) { ++warnings; }));
    EXPECT_EQ(warnings, 1);
    EXPECT_FALSE(okWithForbidden);
    EXPECT_EQ(suffix.Text(), "_part");
}

}  // namespace
}  // namespace brelker::win32

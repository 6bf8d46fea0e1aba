// The Win32 window over the window model, in the test's own process on a
// virtual display: what the controls show after the model decided, which
// command each menu item, speed button and shortcut sends, captions that fit
// their controls in every language, drops, placement and two dialogs.

#include <gtest/gtest.h>

#include <cstdlib>
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
#include "model/BaseSizeModel.h"
#include "model/DiskCountModel.h"
#include "model/ExtractModel.h"
#include "model/HelpFileModel.h"
#include "model/MemoryModel.h"
#include "model/ProgressMeter.h"
#include "model/SuffixModel.h"
#include "platform/WideText.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "win32/ControlIds.h"
#include "win32/OptionDialogs.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

// After the test helpers: it declares a global "byte" that their locals would shadow.
#include <shlobj.h>

namespace brelker::win32 {
namespace {

// The scripted user, who also looks at the window while a question is open.
class WatchingDialogs : public ScriptedDialogs {
public:
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override {
        if (AsksYesOrNo(buttons) && whileAsked) {
            whileAsked(text);
        }
        return ScriptedDialogs::Message(text, caption, icon, buttons);
    }
    std::function<void(const std::string&)> whileAsked;
};

// Handles what is waiting, as the message loop would.
void HandleWaitingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

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
    std::string StatusPanel(int panel) const { return window->StatusText(panel); }

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
    WatchingDialogs dialogs;
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

TEST_F(Win32WindowTest, ClosingDuringASplitAsksToStopAndClosesOnceStopped) {
    store.Write(settings::ChangeDisk, 0);  // a question before every piece
    Start({"/bigfile=" + BigFile()});
    const HWND shown = window->Handle();
    ::SetWindowPos(shown, nullptr, 144, 122, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    bool closedDuringWork = false;
    dialogs.whileAsked = [&](const std::string& question) {
        if (question == Text(slot::kContinueQuestion)) {
            return;
        }
        // Only Stop takes a click while the work runs.
        const HMENU menus = ::GetMenu(shown);
        EXPECT_NE(::SendMessageW(SpeedBar(), TB_ISBUTTONENABLED, CommandId(Command::Stop), 0), 0);
        EXPECT_EQ(::SendMessageW(SpeedBar(), TB_ISBUTTONENABLED, CommandId(Command::DoSplit), 0),
                  0);
        EXPECT_NE(::GetMenuState(menus, static_cast<UINT>(Menu::File), MF_BYPOSITION) & MF_GRAYED,
                  0U);
        EXPECT_FALSE(::IsWindowEnabled(Item("HintBtn")));
        ::SendMessageW(shown, WM_CLOSE, 0, 0);
        closedDuringWork = ::IsWindow(shown) == 0;
    };
    dialogs.answers = {true, false};  // the first disk is there; do not continue
    Send(Command::DoSplit);
    EXPECT_FALSE(closedDuringWork);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[1].text, Text(slot::kContinueQuestion));

    HandleWaitingMessages();
    EXPECT_FALSE(::IsWindow(shown));
    EXPECT_EQ(store.Read(settings::MainLeft), 144);
    EXPECT_FALSE(Exists(folder / "pieces/big.bin.Brelked_1"));
}

TEST_F(Win32WindowTest, VerifyListsItsReportInThePieceList) {
    Start({"/bigfile=" + BigFile()});
    Send(Command::DoSplit);
    dialogs.paths.push_back(folder / "pieces/big.bin.Brelked_2");
    Send(Command::Verify);
    const std::vector<std::string> lines = ListLines();
    EXPECT_EQ(lines, window->SizeLines());
    ASSERT_GE(lines.size(), 3U);
    EXPECT_NE(lines[0].find("big.bin.Brelked_1"), std::string::npos) << lines[0];
    EXPECT_FALSE(StatusPanel(1).empty());
    // Readable, under its own heading, each line with its mark.
    const HWND list = Item("SmallerSizesLB");
    EXPECT_TRUE(::IsWindowEnabled(list));
    EXPECT_EQ(TextOf(Item("SmallerSize")), "Verify: result per file");
    EXPECT_NE(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
    LVITEMW line{};
    line.mask = LVIF_IMAGE;
    ListView_GetItem(list, &line);
    EXPECT_EQ(line.iImage, static_cast<int>(LineMark::Ok));

    // Sizes again: no marks, and no room kept for them.
    dialogs.paths.push_back(BigFile());
    Send(Command::ChooseSplitAFile);
    EXPECT_EQ(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
    EXPECT_EQ(TextOf(Item("SmallerSize")), "Individual Sizes (B)");
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

TEST_F(Win32WindowTest, MenuItemsNameTheShortcutKeyAsTheLanguageDoes) {
    Start();
    const auto shownFor = [this](Command command) {
        wchar_t caption[256] = {};
        ::GetMenuStringW(::GetMenu(window->Handle()), CommandId(command), caption, 256,
                         MF_BYCOMMAND);
        const std::string text = Narrow(caption);
        return text.substr(text.find('\t') + 1);
    };
    EXPECT_EQ(shownFor(Command::DoSplit), "Ctrl+S");
    Send(Command::LanguageGerman);
    EXPECT_EQ(shownFor(Command::DoSplit), "Strg+S");
    EXPECT_EQ(shownFor(Command::Verify), "Strg+K");
    Send(Command::LanguageEnglish);
    EXPECT_EQ(shownFor(Command::DoSplit), "Ctrl+S");
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

// A screen of another density: the system tells the window, which takes the
// font and pictures of that density and measures its captions anew.
TEST_F(Win32WindowTest, OnADenserScreenEveryCaptionStillFits) {
    Start({"/bigfile=" + BigFile()});
    Send(Command::LanguageGerman);
    const auto buttonHeight = [this] {
        return HIWORD(::SendMessageW(SpeedBar(), TB_GETBUTTONSIZE, 0, 0));
    };
    const int before = buttonHeight();
    RECT frame{};
    ::GetWindowRect(window->Handle(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                   frame.top + (frame.bottom - frame.top) * 3 / 2};
    ::SendMessageW(window->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
    EXPECT_GE(buttonHeight(), before * 3 / 2 - 1);
    for (const char* name : {"rbSizeBase", "rbSizeFree", "ApplyBaseSize", "ApplyNewSize",
                             "lblBigFileName", "BaseSizeHeadline", "HintBtn"}) {
        RECT shown{};
        ::GetWindowRect(Item(name), &shown);
        EXPECT_LE(window->CaptionWidthNeeded(ControlIdOf(name)), shown.right - shown.left) << name;
    }
}

// The run's words go on the bar and the state into a panel as wide as it needs:
// the longest of each is read whole in every language, at 96 and 144 dpi.
TEST_F(Win32WindowTest, TheProgressWordsAndTheStateFitInEveryLanguageAndDensity) {
    Start({"/bigfile=" + BigFile(2000)});
    Send(Command::WriteChecksums);  // a join without a checksum file says the longest state
    Send(Command::DoSplit);
    const auto fontOf = [](HWND control) {
        return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    };
    for (const int dpi : {96, 144}) {
        if (dpi == 144) {
            RECT frame{};
            ::GetWindowRect(window->Handle(), &frame);
            RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                           frame.top + (frame.bottom - frame.top) * 3 / 2};
            ::SendMessageW(window->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
        }
        for (const Command language :
             {Command::LanguageSwedish, Command::LanguageGerman, Command::LanguageEnglish}) {
            Send(language);
            const std::string words = ProgressText({99'000, 100'000, 32736, 32736}, 1, ",") +
                                      " \u00b7 " + TextWith(slot::kProgressRate, {"999,9"}) +
                                      " \u00b7 " + TextWith(slot::kProgressTimeLeft, {"59:59"});
            RECT bar{};
            ::GetClientRect(Item("PBar"), &bar);
            EXPECT_LE(TextExtent(fontOf(Item("lblNrFiles")), words, false).cx, bar.right)
                << words << " at " << dpi;

            dialogs.paths.push_back(folder / "pieces/big.bin.Brelked_1");
            Send(Command::JoinFiles);
            Send(Command::DoJoin);  // Yes: the file of the round before is replaced
            const std::string state = StatusPanel(1);
            EXPECT_EQ(state, Text(slot::kFileRestoredUnverified));
            RECT panel{};
            ::SendMessageW(Item("StatusBar"), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel));
            const int room = panel.right - panel.left - 2 * Scaled(3, dpi);
            EXPECT_EQ(
                WrappedWithin(fontOf(Item("lblNrFiles")), state, room, panel.bottom - panel.top),
                state)
                << state << " at " << dpi;
        }
    }
}

// A list that takes no click looks so, as every other control that is off.
TEST_F(Win32WindowTest, TheSizeListIsGreyWhileItIsOff) {
    Start();
    const HWND list = Item("SmallerSizesLB");
    EXPECT_FALSE(::IsWindowEnabled(list));
    EXPECT_EQ(ListView_GetBkColor(list), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ListView_GetTextColor(list), ::GetSysColor(COLOR_GRAYTEXT));
    dialogs.paths.push_back(BigFile());
    Send(Command::ChooseSplitAFile);
    EXPECT_TRUE(::IsWindowEnabled(list));
    EXPECT_EQ(ListView_GetBkColor(list), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ListView_GetTextColor(list), ::GetSysColor(COLOR_WINDOWTEXT));

    // While extraction is on, the pieces' group says so.
    dialogs.extractSteps.push_back([](ExtractModel& extraction) {
        extraction.SetExtractActive(true);
        extraction.SetCountText("500");
        return true;
    });
    Send(Command::Extract);
    EXPECT_EQ(TextOf(Item("ModesNote")), "Extraction on: 500 bytes after the first 0");
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
    Start();
    SetCurrentLanguage(kGerman);
    MemoryModel memory(store);
    std::vector<std::string> fields;
    POINT offCentre{};
    const HWND owner = window->Handle();
    WhenADialogShows([&fields, &offCentre, owner](HWND dialog) {
        // In the middle of the window it belongs to.
        RECT place{};
        RECT over{};
        ::GetWindowRect(dialog, &place);
        ::GetWindowRect(owner, &over);
        offCentre = {(place.left + place.right) / 2 - (over.left + over.right) / 2,
                     (place.top + place.bottom) / 2 - (over.top + over.bottom) / 2};
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
    EXPECT_TRUE(RunMemoryDialog(owner, memory));
    EXPECT_LE(std::abs(offCentre.x) + std::abs(offCentre.y), 2);
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

TEST_F(Win32WindowTest, TheExtractionDialogKeepsTheRangeInsideTheBigFile) {
    Job job;
    job.ExtractLimit = 1000;
    job.ExtractCount = 1000;
    ExtractModel extraction(job);
    std::vector<std::string> seen;
    WhenADialogShows([&seen](HWND dialog) {
        seen.push_back(::IsWindowEnabled(::GetDlgItem(dialog, kSkipField)) ? "on" : "off");
        ::SendMessageW(::GetDlgItem(dialog, kExtractOn), BM_CLICK, 0, 0);
        seen.push_back(::IsWindowEnabled(::GetDlgItem(dialog, kSkipField)) ? "on" : "off");
        ::SetDlgItemTextW(dialog, kSkipField, L"900");
        ::SetDlgItemTextW(dialog, kCountField, L"500");
        seen.push_back(FieldText(dialog, kSkipField) + "+" + FieldText(dialog, kCountField));
        ::SetDlgItemTextW(dialog, kSkipField, L"2000");
        seen.push_back(FieldText(dialog, kSkipField) + "+" + FieldText(dialog, kCountField));
        ::SendMessageW(::GetDlgItem(dialog, kAppendOn), BM_CLICK, 0, 0);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(RunExtractDialog(nullptr, extraction));
    EXPECT_EQ(seen, (std::vector<std::string>{"off", "on", "900+100", "1000+0"}));
    EXPECT_TRUE(extraction.ExtractActive());
    EXPECT_TRUE(extraction.AppendActive());
}

TEST_F(Win32WindowTest, TheBaseSizeEditorOffersTheButtonsItsModelAllows) {
    BaseSizeModel baseSizes(store);
    const std::size_t before = baseSizes.EntryTexts().size();
    std::vector<std::string> buttons;
    const auto enabled = [&buttons](HWND dialog) {
        std::string shown;
        for (const int id : {kModifyButton, kDeleteButton, kNewButton}) {
            shown += ::IsWindowEnabled(::GetDlgItem(dialog, id)) ? "1" : "0";
        }
        buttons.push_back(shown);
    };
    WhenADialogShows([&](HWND dialog) {
        ::SetDlgItemTextW(dialog, kDescriptionField, L"4.7 GB DVD");
        ::SetDlgItemTextW(dialog, kSizeField, L"4700000000");
        enabled(dialog);
        Click(dialog, kNewButton);
        const HWND list = ::GetDlgItem(dialog, kEntryList);
        const auto last = ::SendMessageW(list, LB_GETCOUNT, 0, 0) - 1;
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(last), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kEntryList, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(FieldText(dialog, kSizeField), "4700000000");
        enabled(dialog);
        EXPECT_EQ(FieldText(dialog, IDCANCEL), "Close");
        Click(dialog, IDCANCEL);
    });
    RunBaseSizeDialog(nullptr, baseSizes);
    EXPECT_EQ(buttons, (std::vector<std::string>{"001", "010"}));
    EXPECT_EQ(baseSizes.EntryTexts().size(), before + 1);
}

TEST_F(Win32WindowTest, TheDiskCountQuestionTakesTheNumberTypedWithinItsBounds) {
    DiskCountModel diskCount;
    for (const auto& [typed, taken] : {std::pair{L"7", 7}, std::pair{L"99999", 32760}}) {
        WhenADialogShows([typed](HWND dialog) {
            ::SetDlgItemTextW(dialog, kDiskField, typed);
            Click(dialog, IDOK);
        });
        EXPECT_TRUE(RunDiskCountDialog(nullptr, diskCount));
        EXPECT_EQ(diskCount.Number(), taken);
    }
}

TEST_F(Win32WindowTest, HowItWorksShowsTheManualInTheLanguageOfTheMoment) {
    Win32Dialogs shown(::GetModuleHandleW(nullptr), platform);
    HelpFileModel help(platform);
    shown.Show(help);
    const HWND manual = shown.HowItWorks();
    ASSERT_TRUE(::IsWindowVisible(manual));
    EXPECT_EQ(TextOf(manual), Text(slot::kHowItWorksTitle));
    const HWND lines = ::GetDlgItem(manual, kManualList);
    EXPECT_EQ(::SendMessageW(lines, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(help.Lines().size()));

    // German lines are wider: the open window grows to show them, not to scroll sideways.
    SetCurrentLanguage(kGerman);
    shown.Show(help);
    RECT inside{};
    ::GetClientRect(lines, &inside);
    EXPECT_LE(::SendMessageW(lines, LB_GETHORIZONTALEXTENT, 0, 0), inside.right);
    EXPECT_EQ(TextOf(manual), Text(slot::kHowItWorksTitle));
    EXPECT_EQ(TextOf(::GetDlgItem(manual, kOnFileButton)), Text(slot::kInformationOnFile));
    wchar_t first[512] = {};
    ::SendMessageW(lines, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(Narrow(first), help.Lines().front());
}

// A piece's path in status panel 0 loses its middle, never its number.
TEST(ShortenedInMiddleTest, APathLosesItsMiddleNotItsEnd) {
    const HFONT font = CreateMessageFont(96);
    const std::string path =
        "C:\\Projects\\" + std::string(200, 'x') + "\\huge1500m.bin.Brelked_12";
    const std::string shown = ShortenedInMiddle(font, path, 300);
    EXPECT_LE(TextExtent(font, shown, false).cx, 300);
    EXPECT_EQ(shown.rfind("huge1500m.bin.Brelked_12"), shown.size() - 24);
    EXPECT_EQ(shown.rfind("C:\\Proj", 0), 0u);
    EXPECT_NE(shown.find("\u2026"), std::string::npos);
    EXPECT_EQ(ShortenedInMiddle(font, "short.bin.Brelked_1", 300), "short.bin.Brelked_1");
    ::DeleteObject(font);
}

}  // namespace
}  // namespace brelker::win32

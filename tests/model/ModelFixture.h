#pragma once

// The main window's model over temp folders, with a view that records what it
// is told in place of the screen: big files in "big", pieces in "pieces", a
// floppy drive in "floppy", settings in a store of their own, and the user's
// dialogs scripted. Runs on every build, under Wine too.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CrashingPlatform.h"
#include "FakeHost.h"
#include "FaultyPlatform.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "WindowScene.h"
#include "model/HeadlessView.h"
#include "model/WindowModel.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "text/TextTable.h"
#include "transfer/Engine.h"

namespace brelker {

// Keeps what the model last showed of each state and text.
class RecordingView : public BlankView {
public:
    void MoveTo(int left, int top) override { place.MoveTo(left, top); }
    int Left() const override { return place.Left(); }
    int Top() const override { return place.Top(); }
    void SetCommandEnabled(Command command, bool enabled) override {
        commands[static_cast<std::size_t>(command)] = enabled;
    }
    void SetCommandChecked(Command command, bool checked) override {
        checked_[static_cast<std::size_t>(command)] = checked;
    }
    void SetMenuEnabled(Menu menu, bool enabled) override {
        menus[static_cast<std::size_t>(menu)] = enabled;
    }
    void SetControlEnabled(Control control, bool enabled) override {
        controls[static_cast<std::size_t>(control)] = enabled;
    }
    void ApplyTexts(const WindowTexts& applied) override {
        texts = applied;
        title = applied.title;
        heading = applied.sizeListHeadline.caption;
    }
    void ShowBigFileName(const std::string& path) override { bigFile = path; }
    void ShowBigFileSize(const std::string& text) override { bigFileSize = text; }
    void SelectUnitButton(SizeUnit shown) override { unit = shown; }
    void ShowPieceNames(const std::string& text) override { pieceNames = text; }
    void ShowPieceCount(const std::string& text) override { pieceCount = text; }
    void SetPiecesGroupHint(const std::string& hint) override { piecesHint = hint; }
    void ShowEditedPiece(const std::string& text) override { editedPiece = text; }
    void ShowModesNote(const std::string& text) override { modesNote = text; }
    void AddSizeLine(const std::string& line) override { sizeLines.push_back(line); }
    void ClearSizeLines() override {
        sizeLines.clear();
        marks.clear();
    }
    void ShowSizeLines(const std::vector<std::int64_t>& sizes) override {
        sizeLines.clear();
        marks.clear();
        for (const std::int64_t size : sizes) {
            sizeLines.push_back(std::to_string(size));
        }
    }
    void ShowSizeListHeading(const std::string& caption, const std::string&) override {
        heading = caption;
    }
    void ShowMarkedLines(const std::vector<MarkedLine>& lines) override {
        sizeLines.clear();
        marks.clear();
        for (const MarkedLine& line : lines) {
            sizeLines.push_back(line.text);
            marks.push_back(line.mark);
        }
    }
    void ShowStatus(int panel, const std::string& text) override {
        status[static_cast<std::size_t>(panel)] = text;
        if (panel == 0 && !progressTexts.empty() && !progressTexts.back().empty()) {
            notesWithProgress.push_back(progressTexts.back() + " | " + text);
        }
    }
    void SetProgress(int position) override { progress = position; }
    void ProcessEvents() override {
        if (duringWork) {
            duringWork();
        }
    }
    void ShowWindow(bool minimized) override { shownMinimized = minimized; }
    void Quit() override { quit = true; }
    void CloseLater() override { ++closesAsked; }
    void ShowProgressText(const std::string& text) override { progressTexts.push_back(text); }

    bool Checked(Command command) const { return checked_[static_cast<std::size_t>(command)]; }
    const std::string& Caption(Command command) const {
        return texts.commands[static_cast<std::size_t>(command)].caption;
    }
    const std::string& Caption(Menu menu) const {
        return texts.menus[static_cast<std::size_t>(menu)];
    }

    HeadlessView place;
    std::array<bool, kCommandCount> commands{};
    std::array<bool, kMenuCount> menus{};
    std::array<bool, kControlCount> controls{};
    WindowTexts texts;
    std::string title, bigFile, bigFileSize, pieceNames, pieceCount, piecesHint, editedPiece,
        heading, modesNote;
    std::optional<SizeUnit> unit;
    std::vector<std::string> sizeLines;
    std::vector<LineMark> marks;
    std::vector<std::string> progressTexts;
    // Each note of panel 0 shown while the run's words are, after those words.
    std::vector<std::string> notesWithProgress;
    std::array<std::string, 2> status;
    int progress = -1;
    // Unset until the window is shown by the switches.
    std::optional<bool> shownMinimized;
    int closesAsked = 0;
    std::function<void()> duringWork;
    bool quit = false;

private:
    std::array<bool, kCommandCount> checked_{};
};

class ModelFixture : public ::testing::Test {
protected:
    void TearDown() override { scene.reset(); }

    void Start(const std::vector<std::string>& arguments = {}) {
        model.ShowStates();
        model.Start(arguments);
    }
    // A fresh model and view over the same folders, store and dialogs, as a
    // second run of the program finds them.
    WindowModel& Restart(const std::vector<std::string>& arguments = {}) {
        runs_.push_back(std::make_unique<Run>(platform, store, dialogs));
        Run& run = *runs_.back();
        run.model.ShowStates();
        run.model.Start(arguments);
        return run.model;
    }

    // Every state the view shows is the model's.
    void ExpectViewShowsTheModel() const {
        for (int i = 0; i < kCommandCount; ++i) {
            const auto command = static_cast<Command>(i);
            EXPECT_EQ(view.commands[static_cast<std::size_t>(i)], model.Enabled(command)) << i;
            EXPECT_EQ(view.Checked(command), model.Checked(command)) << i;
        }
        for (int i = 0; i < kControlCount; ++i) {
            EXPECT_EQ(view.controls[static_cast<std::size_t>(i)],
                      model.Enabled(static_cast<Control>(i)))
                << i;
        }
        for (int i = 0; i < kMenuCount; ++i) {
            EXPECT_EQ(view.menus[static_cast<std::size_t>(i)], model.Enabled(static_cast<Menu>(i)))
                << i;
        }
    }
    // The enabled commands of the File menu that do the work, as letters.
    static std::string Commands(const WindowModel& shown) {
        std::string state;
        for (const auto& [command, letter] :
             std::initializer_list<std::pair<Command, char>>{{Command::ChooseSplitAFile, 'a'},
                                                             {Command::FindPlaceToSmallFiles, 'b'},
                                                             {Command::DoSplit, 's'},
                                                             {Command::CreateUnbrelkerFile, 'r'},
                                                             {Command::JoinFiles, 'd'},
                                                             {Command::FindPlaceToBigFile, 'e'},
                                                             {Command::DoJoin, 'j'}}) {
            state += shown.Enabled(command) ? letter : '-';
        }
        return state;
    }
    std::string Commands() const { return Commands(model); }

    // A file in one of the test's folders, named as this system names it.
    std::string In(const std::string& subfolder, const std::string& name) const {
        return JoinFolder(folder / subfolder, name);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder / name;
        WriteFile(path, bytes);
        return path;
    }
    // Makes a big file and chooses it through the dialog.
    std::string ChooseBigFile(const std::string& bytes, const std::string& name = "data.bin") {
        const std::string path = In("big", name);
        WriteFile(path, bytes);
        dialogs.paths.push_back(path);
        model.Execute(Command::ChooseSplitAFile);
        return path;
    }
    // A split of the same file into the same pieces, killed near its end as a
    // power cut would end it: its list stays unfinished.
    static void KillSplitNearItsEnd(const std::string& big, const std::string& stem) {
        Job job;
        job.BigFilePath = big;
        job.SmallFilesBase = stem;
        job.BigFileBytes = 3'000'000;
        job.ExtractCount = job.BigFileBytes;
        job.SmallFileCount = 3;
        job.SmallFileSizes = {0, 1457664, 1457664, 84672};
        CrashingPlatform crashing;
        FakeHost host;
        TransferOptions options;
        options.PauseMode = PauseMode::Never;
        Job whole = job;
        ASSERT_TRUE(Engine(whole, crashing, host).SplitBigFile(options).Succeeded());
        crashing.DieAt(crashing.operations - 4);
        EXPECT_THROW(Engine(job, crashing, host).SplitBigFile(options), SimulatedCrash);
    }
    static std::string Piece(const std::string& stem, int number) {
        return stem + ".Brelked_" + std::to_string(number);
    }

    struct Run {
        Run(Platform& platform, SettingsStore& store, DialogService& dialogs)
            : model(platform, store, dialogs, view) {}
        RecordingView view;
        WindowModel model;
    };

    TempFolder folder;
    FaultyPlatform platform;
    TestSettingsStore store{folder / "settings.conf"};
    std::optional<WindowScene> scene{std::in_place, folder, platform, store};
    ScriptedDialogs dialogs;
    RecordingView view;
    WindowModel model{platform, store, dialogs, view};
    std::vector<std::unique_ptr<Run>> runs_;
};

}  // namespace brelker

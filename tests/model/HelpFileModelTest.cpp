#include "model/HelpFileModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "text/Encoding.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The file goes into a folder of the model's own among the temporary files,
// never into the current folder, which each test makes a folder of its own.
class HelpFileModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        ASSERT_TRUE(platform.SetCurrentFolder(work.Path()));
        path = help.FilePath();
        ASSERT_FALSE(path.empty());
        // The viewer records the path it was given and what the file held,
        // read through the platform, which takes the UTF-8 name on Windows too.
        platform.viewer = [this](const std::string& shown) {
            viewed.push_back(shown);
            std::string bytes(1 << 20, '\0');
            const FileHandle file = platform.OpenForReading(shown);
            bytes.resize(static_cast<std::size_t>(
                std::max<std::int64_t>(platform.Read(file, bytes.data(), 1 << 20), 0)));
            platform.Close(file);
            seen.push_back(bytes);
        };
    }
    void TearDown() override {
        // What a test left in the model's folder (a user's file of the same name).
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
        std::filesystem::current_path(saved);
        SetCurrentLanguage(kEnglish);
    }

    const std::filesystem::path saved = std::filesystem::current_path();
    TempFolder work;
    FaultyPlatform platform;
    HelpFileModel help{platform};
    std::string path;
    std::vector<std::string> viewed;
    std::vector<std::string> seen;
};

TEST_F(HelpFileModelTest, TheViewerGetsTheLinesInWindows1252AndTheFileGoesAfterwards) {
    const std::filesystem::path shown(path);
    EXPECT_EQ(shown.filename(), "The File Brelker_How It Works.TXT");
    EXPECT_NE(shown.parent_path(), work.Path());
    for (const int language : {kEnglish, kSwedish}) {
        SetCurrentLanguage(language);
        viewed.clear();
        seen.clear();
        EXPECT_TRUE(help.ShowAsFile());
        std::string expected;
        for (const std::string& line : help.Lines()) {
            expected += *EncodeText(line, CodePage::Windows1252) + "\r\n";
        }
        ASSERT_EQ(viewed.size(), 1u);
        EXPECT_EQ(viewed[0], help.FilePath());
        EXPECT_EQ(seen[0], expected) << language;
        EXPECT_FALSE(platform.Exists(viewed[0]));
    }
    // Swedish letters are single bytes, as the viewer expects them.
    EXPECT_NE(seen[0].find('\xE5'), std::string::npos);
}

TEST_F(HelpFileModelTest, AFileOrFolderOfThatNameIsTheUsersAndIsNeitherReplacedNorDeleted) {
    WriteFile(path, "my notes");
    EXPECT_FALSE(help.ShowAsFile());
    EXPECT_EQ(ReadFile(path), "my notes");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(help.ShowAsFile());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(viewed.empty());
}

TEST_F(HelpFileModelTest, AFileThatCannotBeWrittenWholeIsNeitherShownNorLeftBehind) {
    platform.writeRoom = 100;
    EXPECT_FALSE(help.ShowAsFile());
    EXPECT_TRUE(viewed.empty());
    EXPECT_FALSE(Exists(path));
}

TEST_F(HelpFileModelTest, AFileTheViewerSavedAnewUnderItsNameIsLeftToTheUser) {
    platform.viewer = [](const std::string& shown) {
        WriteFile(shown + ".new", "edited");
        std::filesystem::rename(shown + ".new", shown);
    };
    EXPECT_TRUE(help.ShowAsFile());
    EXPECT_EQ(ReadFile(path), "edited");
}

// The desktop's handler as the test plays it: it takes the file or it does not.
struct RecordingOpener : FileOpener {
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return takes;
    }
    bool takes = true;
    std::vector<std::string> opened;
};

TEST_F(HelpFileModelTest, TheDesktopsHandlerKeepsTheFileUntilTheNextShowingOrTheEndOfTheRun) {
    RecordingOpener desktop;
    std::filesystem::path folder;
    {
        HelpFileModel model(platform);
        const std::string first = model.FilePath();
        folder = std::filesystem::path(first).parent_path();
        EXPECT_TRUE(model.ShowAsFile(&desktop));
        EXPECT_EQ(desktop.opened, std::vector<std::string>{first});
        // It returned at once and shows the file on its own time: the file
        // stays, and no viewer of the platform's is started as well.
        EXPECT_TRUE(viewed.empty());
        EXPECT_TRUE(Exists(first));

        // Shown again, it is written anew rather than refused as the user's; in
        // another language under that language's name, the first one gone.
        EXPECT_TRUE(model.ShowAsFile(&desktop));
        SetCurrentLanguage(kGerman);
        const std::string german = model.FilePath();
        EXPECT_TRUE(model.ShowAsFile(&desktop));
        EXPECT_EQ(desktop.opened, (std::vector<std::string>{first, first, german}));
        EXPECT_FALSE(Exists(first));
        EXPECT_NE(ReadFile(german).find("BEFEHLSZEILE"), std::string::npos);
        SetCurrentLanguage(kEnglish);
    }
    // The end of the run takes the file and its folder; the current folder got nothing.
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));

    // A file the user saved over it under the same name outlives the run.
    std::string edited;
    {
        HelpFileModel model(platform);
        edited = model.FilePath();
        EXPECT_TRUE(model.ShowAsFile(&desktop));
        WriteFile(edited + ".new", "edited");
        std::filesystem::rename(edited + ".new", edited);
    }
    EXPECT_EQ(ReadFile(edited), "edited");
    std::filesystem::remove_all(std::filesystem::path(edited).parent_path());
}

TEST_F(HelpFileModelTest, WhenNothingCanShowTheFileTheNoticeSaysSoAndTheFileGoes) {
    std::vector<std::string> notices;
    help.SetNotice([&notices](const std::string& text, const std::string& caption) {
        notices.push_back(text + " / " + caption);
    });
    // A handler that refuses the file leaves it to the platform's viewer.
    RecordingOpener desktop;
    desktop.takes = false;
    EXPECT_TRUE(help.ShowAsFile(&desktop));
    EXPECT_EQ(viewed, std::vector<std::string>{path});
    EXPECT_TRUE(notices.empty());

    platform.viewerStarts = false;
    EXPECT_FALSE(help.ShowAsFile(&desktop));
    EXPECT_FALSE(help.ShowAsFile());
    const std::string notice =
        "Nothing on this computer can show " + path + ". / Information On File";
    EXPECT_EQ(notices, (std::vector<std::string>{notice, notice}));
    EXPECT_FALSE(Exists(path));
}

#ifndef _WIN32
// Windows cannot remove the current folder; elsewhere it can be gone, which
// the manual does not need.
TEST_F(HelpFileModelTest, TheFileNeedsNoCurrentFolder) {
    std::filesystem::create_directory(work / "gone");
    std::filesystem::current_path(work / "gone");
    std::filesystem::remove(work / "gone");
    EXPECT_TRUE(help.ShowAsFile());
    EXPECT_EQ(viewed, std::vector<std::string>{path});
}
#endif

}  // namespace
}  // namespace brelker

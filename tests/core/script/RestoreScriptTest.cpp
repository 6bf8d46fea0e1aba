#include "script/RestoreScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <map>
#include <tuple>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class FakeScriptView : public ScriptView {
public:
    void SetStatus(const std::string& text) override { status = text; }
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        messages.push_back(text + " / " + caption + (icon == MessageIcon::Warning ? " !" : ""));
    }
    void SetSelfUnitEnabled(bool enabled) override { selfUnitEnabled = enabled; }
    std::optional<std::string> AskSavePath(const std::string& title, const std::string& filter,
                                           const std::string& folder,
                                           const std::string& proposedName) override {
        asked = title + " | " + filter + " | " + folder + " | " + proposedName;
        return answer;
    }

    std::string status;
    std::vector<std::string> messages;
    bool selfUnitEnabled = true;
    std::string asked;
    std::optional<std::string> answer;
};

// The file as the command interpreter will read it, with LF for CR LF.
std::string Lines(const std::string& file) {
    std::string text;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            continue;
        }
        text += file[i];
    }
    return text;
}

class RestoreScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        platform.dateTime = "2026-12-06 11:22:33";
        job.BigFilePath = "/data/Setup.exe";
        job.SmallFilesBase = "/media/floppy/Setup.exe";
        job.BigFileBytes = 3'000'000;
        job.SmallFileCount = 3;
        job.SmallFileSizes = {0, 1'457'664, 1'457'664, 84'672};
        options.RemoveSmallFiles = true;
    }
    void TearDown() override { SetCurrentLanguage(kEnglish); }

    std::string Write(const std::string& name = "SelfUnit.bat") {
        const std::string path = folder / name;
        script.WriteAndReport(path, options);
        return Exists(path) ? ReadFile(path) : std::string("(none)");
    }

    TempFolder folder;
    FaultyPlatform platform;
    FakeScriptView view;
    Job job;
    ScriptOptions options;
    RestoreScript script{job, platform, view};
};

TEST_F(RestoreScriptTest, WritesTheExampleByteForByte) {
    const std::string expected =
        "@echo off\r\n"
        "echo ===========================================================\r\n"
        "echo Self-uniting file for: Setup.exe (3000000 bytes)\r\n"
        "echo Created by The File Brelker; 2026-12-06 11:22:33\r\n"
        "echo ...\r\n"
        "echo Before running this batch file, it has to be placed\r\n"
        "echo together with all smaller files at the same directory\r\n"
        "echo (for example C:\\TEMP). Then run it and the restored\r\n"
        "echo file will also be placed at this directory.\r\n"
        "echo ===========================================================\r\n"
        "\r\n"
        "pause\r\n"
        "\r\n"
        "echo Restores the file...\r\n"
        "\r\n"
        "setlocal\r\n"
        "set brelker_tmp=\r\n"
        "if not exist \"Setup.exe.Brelked_1\" echo Missing smaller file: Setup.exe.Brelked_1\r\n"
        "if not exist \"Setup.exe.Brelked_2\" echo Missing smaller file: Setup.exe.Brelked_2\r\n"
        "if not exist \"Setup.exe.Brelked_3\" echo Missing smaller file: Setup.exe.Brelked_3\r\n"
        "if exist \"Setup.exe.Brelked_1\" for %%F in (\"Setup.exe.Brelked_1\") do if not "
        "\"%%~zF\"==\"1457664\" echo Smaller file of the wrong size: Setup.exe.Brelked_1\r\n"
        "if exist \"Setup.exe.Brelked_2\" for %%F in (\"Setup.exe.Brelked_2\") do if not "
        "\"%%~zF\"==\"1457664\" echo Smaller file of the wrong size: Setup.exe.Brelked_2\r\n"
        "if exist \"Setup.exe.Brelked_3\" for %%F in (\"Setup.exe.Brelked_3\") do if not "
        "\"%%~zF\"==\"84672\" echo Smaller file of the wrong size: Setup.exe.Brelked_3\r\n"
        "if not exist \"Setup.exe.Brelked_1\" goto brelker_failed\r\n"
        "if not exist \"Setup.exe.Brelked_2\" goto brelker_failed\r\n"
        "if not exist \"Setup.exe.Brelked_3\" goto brelker_failed\r\n"
        "for %%F in (\"Setup.exe.Brelked_1\") do if not \"%%~zF\"==\"1457664\" goto "
        "brelker_failed\r\n"
        "for %%F in (\"Setup.exe.Brelked_2\") do if not \"%%~zF\"==\"1457664\" goto "
        "brelker_failed\r\n"
        "for %%F in (\"Setup.exe.Brelked_3\") do if not \"%%~zF\"==\"84672\" goto "
        "brelker_failed\r\n"
        ":brelker_name\r\n"
        "set brelker_tmp=brelker-%RANDOM%.tmp\r\n"
        "if exist \"%brelker_tmp%\" goto brelker_name\r\n"
        "copy/b \"Setup.exe.Brelked_1\" + \"Setup.exe.Brelked_2\" \"%brelker_tmp%\"\r\n"
        "copy/b \"%brelker_tmp%\" + \"Setup.exe.Brelked_3\" \"%brelker_tmp%\"\r\n"
        "for %%F in (\"%brelker_tmp%\") do if not \"%%~zF\"==\"3000000\" goto brelker_failed\r\n"
        ":brelker_place\r\n"
        "if exist \"Setup.exe\\*\" goto brelker_failed\r\n"
        "move /y \"%brelker_tmp%\" \"Setup.exe\" >nul\r\n"
        "if exist \"%brelker_tmp%\" goto brelker_failed\r\n"
        "for %%F in (\"Setup.exe\") do if not \"%%~zF\"==\"3000000\" goto brelker_failed\r\n"
        "del \"Setup.exe.Brelked_1\"\r\n"
        "del \"Setup.exe.Brelked_2\"\r\n"
        "del \"Setup.exe.Brelked_3\"\r\n"
        "\r\n"
        "for %%F in (\"Setup.exe\") do if \"%%~zF\"==\"3000000\" echo The file is restored!\r\n"
        "for %%F in (\"Setup.exe\") do if not \"%%~zF\"==\"3000000\" echo Could not restore the "
        "big file!\r\n"
        "\r\n"
        "if exist \"Setup.exe\" dir \"Setup.exe\"\r\n"
        "if exist \"Setup.exe\" echo Check the size of Setup.exe\r\n"
        "if exist \"Setup.exe\" echo above! It should be 3000000 bytes.\r\n"
        "goto brelker_restored\r\n"
        ":brelker_failed\r\n"
        "if defined brelker_tmp if exist \"%brelker_tmp%\" del \"%brelker_tmp%\"\r\n"
        "echo Could not restore the big file!\r\n"
        "goto :eof\r\n"
        ":brelker_restored\r\n"
        "REM for %%F in (\"%~f0\") do if \"%%~zF\"==\"2863\" del \"%%~fF\"\r\n";
    EXPECT_EQ(Write(), expected);
    EXPECT_EQ(view.status, "Self-uniting file created");
    EXPECT_FALSE(view.selfUnitEnabled);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(RestoreScriptTest, JoinsOneTwoOrManyPiecesTwoSourcesAtATime) {
    options.RemoveSmallFiles = false;
    job.SmallFileCount = 1;
    std::string text = Lines(Write());
    EXPECT_NE(text.find("copy/b \"Setup.exe.Brelked_1\" \"%brelker_tmp%\"\n"), std::string::npos);
    EXPECT_EQ(text.find(" + "), std::string::npos);
    EXPECT_EQ(text.find("del \"Setup.exe.Brelked"), std::string::npos);

    // A piece is deleted only once the whole file is in place at its size.
    options.RemoveSmallFiles = true;
    text = Lines(Write());
    EXPECT_NE(text.find("for %%F in (\"Setup.exe\") do if not \"%%~zF\"==\"3000000\" goto "
                        "brelker_failed\n"
                        "del \"Setup.exe.Brelked_1\"\n\n"),
              std::string::npos);

    job.SmallFileCount = 2;
    text = Lines(Write());
    EXPECT_NE(text.find("copy/b \"Setup.exe.Brelked_1\" + \"Setup.exe.Brelked_2\" "
                        "\"%brelker_tmp%\"\n"),
              std::string::npos);
    EXPECT_EQ(text.find("copy/b \"%brelker_tmp%\" +"), std::string::npos);

    job.SmallFileCount = 12;
    job.SmallFileSizes.assign(13, 100);
    options.RemoveSelfUnit = true;
    text = Lines(Write("restore me.bat"));
    EXPECT_NE(text.find("copy/b \"%brelker_tmp%\" + \"Setup.exe.Brelked_10\" \"%brelker_tmp%\"\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"Setup.exe.Brelked_12\""), std::string::npos);
    EXPECT_EQ(text.find("_010"), std::string::npos);
    // The script deletes itself by the name it runs as, never by the one it was written as.
    EXPECT_EQ(text.find("restore me"), std::string::npos);
    EXPECT_NE(text.find("\nfor %%F in (\"%~f0\") do if \"%%~zF\"==\""), std::string::npos);
    std::size_t copies = 0;
    for (auto at = text.find("copy/b"); at != std::string::npos; at = text.find("copy/b", at + 1)) {
        ++copies;
    }
    EXPECT_EQ(copies, 11u);
}

TEST_F(RestoreScriptTest, SpeaksTheCurrentLanguageInItsCodePage) {
    SetCurrentLanguage(kGerman);
    std::string file = Write();
    EXPECT_NE(file.find(" 3000000 bytes sein.\r\n"), std::string::npos);
    EXPECT_NE(file.find("echo Erstellt mit Datei-Brelker; "), std::string::npos);
    EXPECT_NE(file.find("Gr\x94\xe1"
                        "e"),
              std::string::npos);  // "Größe" in code page 850

    SetCurrentLanguage(kSwedish);
    file = Write();
    EXPECT_NE(file.find("echo \x8f"
                        "terskapar filen...\r\n"),
              std::string::npos);  // "Å"
    EXPECT_NE(file.find("3000000 bytes.\r\n"), std::string::npos);
}

TEST_F(RestoreScriptTest, UsesBareNamesAndTheSuffixOfTheMomentOfWriting) {
    job.BigFilePath = "/data/My Movie åäö.avi";
    job.SmallFilesBase = "/pieces/Disk Äpple";
    options.Suffix = "_del";
    const std::string text = Lines(Write());
    EXPECT_NE(text.find("copy/b \"Disk \x8e"
                        "pple_del1\" + \"Disk \x8e"
                        "pple_del2\" \"%brelker_tmp%\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("move /y \"%brelker_tmp%\" \"My Movie \x86\x84\x94.avi\" >nul\n"),
              std::string::npos);
    EXPECT_EQ(text.find("/data"), std::string::npos);
    EXPECT_EQ(text.find("/pieces"), std::string::npos);
}

TEST_F(RestoreScriptTest, CommandCharactersInNamesAreEscapedWhereTheyStand) {
    job.BigFilePath = "/data/a&b%c^d|e<f>g (1).bin";
    job.SmallFilesBase = "/pieces/50% off";
    job.SmallFileCount = 2;
    const std::string text = Lines(Write());
    // Quoted, only the percent sign needs doubling; echoed, the rest needs a caret.
    EXPECT_NE(text.find("copy/b \"50%% off.Brelked_1\" + \"50%% off.Brelked_2\" "
                        "\"%brelker_tmp%\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("move /y \"%brelker_tmp%\" \"a&b%%c^d|e<f>g (1).bin\" >nul\n"),
              std::string::npos);
    EXPECT_NE(
        text.find("echo Self-uniting file for: a^&b%%c^^d^|e^<f^>g ^(1^).bin (3000000 bytes)"),
        std::string::npos);
    EXPECT_NE(text.find("echo Check the size of a^&b%%c^^d^|e^<f^>g ^(1^).bin\n"),
              std::string::npos);

    // A name without such characters is written exactly as it is.
    job.BigFilePath = "/data/plain-name_1.2.bin";
    EXPECT_NE(Lines(Write()).find("echo Check the size of plain-name_1.2.bin\n"),
              std::string::npos);
}

TEST_F(RestoreScriptTest, ANameThatCannotBeMadeSafeGetsNoBatchScriptButAShellScript) {
    const std::string unsafe = "safely: one has a double quote";
    const std::string notInCodePage = ": code page 850 lacks some of their letters";
    for (const auto& [big, result, why] :
         {std::tuple{"/d/say \"hi\".bin", ScriptResult::NameUnsafe, unsafe},
          {"/d/tab\there", ScriptResult::NameUnsafe, unsafe},
          {"/d/all*.bin", ScriptResult::NameUnsafe, unsafe},
          {"/d/what?.bin", ScriptResult::NameUnsafe, unsafe},
#ifndef _WIN32  // on Windows a backslash separates folders and is part of no name
          {"/d/back\\slash", ScriptResult::NameUnsafe, unsafe},
#endif
          {"/d/drive:c", ScriptResult::NameUnsafe, unsafe},
          {"/d/\u6f22.bin", ScriptResult::NameNotInCodePage, notInCodePage}}) {
        job.BigFilePath = big;
        view.messages.clear();
        EXPECT_EQ(script.WriteAndReport(folder / "SelfUnit.bat", options), result) << big;
        EXPECT_FALSE(Exists(folder / "SelfUnit.bat"));
        ASSERT_EQ(view.messages.size(), 1u) << big;
        EXPECT_TRUE(view.messages[0].starts_with("Could NOT create the self-uniting file!\n\n"));
        EXPECT_NE(view.messages[0].find(why), std::string::npos) << view.messages[0];
        EXPECT_TRUE(view.messages[0].ends_with(" / Abnormal termination! !"));
        EXPECT_TRUE(view.selfUnitEnabled);

        // A run that must not show anything gets the same answer without a message.
        EXPECT_EQ(script.Write(folder / "SelfUnit.bat", options), result);
        EXPECT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(script.Write(folder / "SelfUnit.sh", options), ScriptResult::Created) << big;
    }
    job.BigFilePath = "/d/ok.bin";
    EXPECT_EQ(Write("bad\"name.bat"), "(none)");
}

TEST_F(RestoreScriptTest, TheShellScriptRunsByItsNameAndSaysWhereToPutIt) {
#ifndef _WIN32
    const auto modeOf = [](const std::string& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    };
    const mode_t previous = ::umask(027);
    Write("restore.sh");
    Write("SelfUnit.bat");
    EXPECT_EQ(modeOf(folder / "restore.sh"), 0750u);
    EXPECT_EQ(modeOf(folder / "SelfUnit.bat"), 0640u);  // cmd runs it by its name's extension
    // A file that was there before gets the mode as well.
    ::umask(022);
    ::chmod((folder / "restore.sh").c_str(), 0600);
    Write("restore.sh");
    EXPECT_EQ(modeOf(folder / "restore.sh"), 0755u);
    ::umask(previous);
#endif
    for (const int language : {kEnglish, kSwedish, kGerman}) {
        SetCurrentLanguage(language);
        const std::string shell = Write("restore.sh");
        EXPECT_EQ(shell.find("C:\\TEMP"), std::string::npos) << language;
        EXPECT_EQ(shell.find(Text(slot::kSelfUnitPlacementFirst)), std::string::npos) << language;
        EXPECT_NE(shell.find(Text(slot::kShellScriptPlacementFirst)), std::string::npos);
    }
    SetCurrentLanguage(kEnglish);
    const std::string shell = Write("restore.sh");
    // The batch script keeps its own words.
    EXPECT_NE(Lines(Write()).find("echo Before running this batch file"), std::string::npos);
    EXPECT_NE(shell.find("say 'Before running this shell script, place it together'\n"
                         "say 'with all smaller files in a folder of your choice.'\n"),
              std::string::npos);
}

TEST_F(RestoreScriptTest, AScriptThatCannotBeCreatedOrComesOutShortIsReported) {
    const std::string nowhere = folder / "no/such/folder/SelfUnit.bat";
    EXPECT_EQ(script.WriteAndReport(nowhere, options), ScriptResult::NotCreated);
    EXPECT_EQ(view.status, "Could NOT create the self-uniting file!");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.selfUnitEnabled);
    EXPECT_TRUE(script.ResultText(ScriptResult::NotCreated)
                    .starts_with("Could NOT create the self-uniting file!\n\n"
                                 "The script cannot be written to: " +
                                 nowhere));
#ifndef _WIN32
    EXPECT_TRUE(
        script.ResultText(ScriptResult::NotCreated).ends_with(" (No such file or directory)"));

    // Nothing is written through a link or onto a FIFO, and nothing waits for a reader.
    WriteFile(folder / "other.txt", "someone else's");
    std::filesystem::create_symlink(folder / "other.txt", folder / "link.bat");
    ASSERT_EQ(::mkfifo((folder / "fifo.bat").c_str(), 0600), 0);
    for (const auto& [name, why] :
         {std::pair{"link.bat", " (it is a link, and links are not written through)"},
          {"fifo.bat", " (Not a regular file)"}}) {
        EXPECT_EQ(script.Write(folder / name, options), ScriptResult::NotCreated) << name;
        EXPECT_EQ(script.ResultText(ScriptResult::NotCreated),
                  "Could NOT create the self-uniting file!\n\nThe script cannot be written to: " +
                      (folder / name) + why);
    }
    EXPECT_EQ(ReadFile(folder / "other.txt"), "someone else's");
#endif

    // Part of a script is never left behind to be run: not where the disk
    // fills up, nor where what was written does not reach the disk, and not
    // an earlier script of that name either.
    for (const std::string name : {"SelfUnit.bat", "restore.sh"}) {
        for (const bool fullDisk : {true, false}) {
            WriteFile(folder / name, "an earlier script");
            view.messages.clear();
            platform.writeRoom = fullDisk ? (name.ends_with(".sh") ? 0 : 100)
                                          : std::numeric_limits<std::int64_t>::max();
            platform.failFlushes = !fullDisk;
            EXPECT_EQ(Write(name), "(none)") << name << fullDisk;
            ASSERT_EQ(view.messages.size(), 1u);
            EXPECT_EQ(view.messages[0],
                      "Could NOT create the self-uniting file! / Abnormal termination! !");
            EXPECT_TRUE(view.selfUnitEnabled);
        }
    }
}

// Every name under the folder, with its bytes where it is a file.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        files[entry.path().string()] =
            entry.is_regular_file() ? ReadFile(entry.path().string()) : "";
    }
    return files;
}

TEST_F(RestoreScriptTest, NeverTakesTheNameOfAFileOfTheJobOrOfTheFileItRestores) {
    std::filesystem::create_directory(folder / "pieces");
    job.BigFilePath = folder / "big.bin";
    job.SmallFilesBase = folder / "pieces/big.bin";
    job.BigFileBytes = 2'500;
    job.SmallFileSizes = {0, 1'000, 1'000, 500};
    WriteFile(job.BigFilePath, PatternBytes(2'500));
    for (int k = 1; k <= 3; ++k) {
        WriteFile(job.SmallFilesBase + ".Brelked_" + std::to_string(k), PatternBytes(500, k));
    }
    WriteFile(folder / "pieces/big.bin.sha256", "the sums\n");
    std::vector<std::string> taken = {
        "big.bin",                             // the big file
        "pieces/big.bin.Brelked_1",            // a piece
        "pieces/../pieces/big.bin.Brelked_3",  // a piece by a longer way
        "pieces/big.bin.Brelked_9",            // a name the next join would take for a piece
        "pieces/big.bin.sha256",               // the checksum file
        "pieces/big.bin",                      // the file the script writes beside itself
        "elsewhere/big.bin",                   // the same, where neither exists yet
    };
#ifndef _WIN32
    std::filesystem::create_symlink(job.BigFilePath, folder / "link.bat");
    std::filesystem::create_hard_link(folder / "pieces/big.bin.Brelked_2", folder / "piece.sh");
    taken.insert(taken.end(), {"link.bat", "piece.sh"});  // other names of those files
#endif
    std::filesystem::create_directory(folder / "elsewhere");
    const auto before = Snapshot(folder.Path());
    for (const std::string& name : taken) {
        view.messages.clear();
        EXPECT_EQ(script.WriteAndReport(folder / name, options), ScriptResult::NameTaken) << name;
        ASSERT_EQ(view.messages.size(), 1u) << name;
        EXPECT_EQ(view.messages[0],
                  "Could NOT create the self-uniting file!\n\nThe script may not take the name of "
                  "the big file, a smaller file, the checksum file or the file it restores: " +
                      (folder / name) + " / Abnormal termination! !");
        EXPECT_TRUE(view.selfUnitEnabled);
    }
    EXPECT_EQ(Snapshot(folder.Path()), before);
    EXPECT_EQ(script.Write(folder / "pieces/big.bin.sh", options), ScriptResult::Created);
    EXPECT_EQ(script.Write(folder / "pieces/SelfUnit.bat", options), ScriptResult::Created);

    // A big file of the name the dialog proposes, restored where the dialog proposes the script.
    job.BigFilePath = folder / "SelfUnit.bat";
    view.answer = folder / "pieces/SelfUnit.bat";
    const std::string earlier = ReadFile(*view.answer);
    script.AskPathAndWrite(folder / "pieces", options);
    EXPECT_EQ(ReadFile(*view.answer), earlier);
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(RestoreScriptTest, TheCommandAsksWhereTheScriptGoes) {
    view.answer = folder / "mine.bat";
    script.AskPathAndWrite("/pieces", options);
    EXPECT_EQ(
        view.asked,
        "Create a self-uniting file (optional) | *.bat|*.bat|Shell script (*.sh)|*.sh | /pieces | "
        "SelfUnit.bat");
    EXPECT_TRUE(Exists(folder / "mine.bat"));
    EXPECT_EQ(view.status, "Self-uniting file created");

    view = FakeScriptView();
    script.SelfUnitFileName = "/elsewhere/other.bat";
    script.AskPathAndWrite("/pieces", options);
    EXPECT_EQ(view.status, "Could NOT create the self-uniting file!");
    EXPECT_TRUE(view.asked.ends_with("| SelfUnit.bat"));
    EXPECT_TRUE(view.selfUnitEnabled);
}

}  // namespace
}  // namespace brelker

// Runs the built program as a user's script would, headless, and checks the
// files it leaves behind byte for byte.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace brelker {
namespace {

using EndToEndTest = ProgramFixture;

TEST_F(EndToEndTest, AnUnattendedSplitWritesThePiecesAndEndsByItself) {
    const std::string bytes = PatternBytes(3'000'000);
    WriteFile(folder / "work/Setup.exe", bytes);
    ASSERT_TRUE(Run({Q("/BigFile=" + (folder / "work/Setup.exe")), QStringLiteral("/BASESIZE=2"),
                     QStringLiteral("/Split"), QStringLiteral("/exit")}));
    EXPECT_EQ(process.exitCode(), 0);
    const std::string stem = folder / "pieces/Setup.exe.Brelked_";
    EXPECT_EQ(ReadFile(stem + "1") + ReadFile(stem + "2") + ReadFile(stem + "3"), bytes);
    EXPECT_EQ(std::filesystem::file_size(stem + "1"), 1'457'664u);
    EXPECT_FALSE(Exists(stem + "4"));

    // What the run left in the store: the chosen base size, the folder it was
    // started in, the seeded list and the position written at exit.
    EXPECT_EQ(settings.Read(settings::BaseSizeIndex), 1);
    EXPECT_EQ(settings.Read(settings::BaseSizes), 9);
    EXPECT_EQ(settings.ReadStringSetting(subkey::Path, settings::SplitPath, ""), folder / "work");
    EXPECT_EQ(settings.Read(settings::UseFreeSpace), false);
    EXPECT_NE(settings.ReadIntegerSetting(subkey::Position, "mainTop", -12345), -12345);
    EXPECT_EQ(settings.Read(settings::BigUnit), 3);
}

TEST_F(EndToEndTest, AnUnattendedSplitWithNamedPiecesAndARestoreScript) {
    const std::string bytes = PatternBytes(1'000'000);
    WriteFile(folder / "work/Photo album.zip", bytes);
    settings.Write(settings::RemoveSmallFiles, true);
    ASSERT_TRUE(
        Run({Q("/bigfile=" + (folder / "work/Photo album.zip")),
             Q("/smallfiles=" + (folder / "elsewhere/Disk")), QStringLiteral("/basesize=1"),
             QStringLiteral("/split"), Q("/selfunitfile=" + (folder / "elsewhere/Join.bat")),
             QStringLiteral("/minimize"), QStringLiteral("/exit")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(ReadFile(folder / "elsewhere/Disk.Brelked_1") +
                  ReadFile(folder / "elsewhere/Disk.Brelked_2"),
              bytes);
    const std::string script = ReadFile(folder / "elsewhere/Join.bat");
    EXPECT_TRUE(script.starts_with("@echo off\r\necho =====")) << script;
    for (const std::string line :
         {"echo Self-uniting file for: Photo album.zip (1000000 bytes)\r\n",
          "copy/b \"Disk.Brelked_1\" + \"Disk.Brelked_2\" \"%brelker_tmp%\"\r\n",
          // The split's checksums are checked before any piece is deleted.
          "set \"brelker_file=Disk.Brelked_2\"\r\ncall :brelker_hash ",
          "move /y \"%brelker_tmp%\" \"Photo album.zip\" >nul\r\n"
          "if exist \"%brelker_tmp%\" goto brelker_failed\r\n"
          "for %%F in (\"Photo album.zip\") do if not \"%%~zF\"==\"1000000\" goto "
          "brelker_failed\r\n"
          "if not defined brelker_verify goto brelker_unverified\r\n"
          "del \"Disk.Brelked_1\"\r\ndel \"Disk.Brelked_2\"\r\n",
          "if exist \"Photo album.zip\" echo above! It should be 1000000 bytes.\r\n",
          "\r\nREM for %%F in (\"%~f0\") do if \"%%~zF\"==\""}) {
        EXPECT_NE(script.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(script.ends_with("\" del \"%%~fF\"\r\n"));
}

TEST_F(EndToEndTest, ABaseSizeOutsideTheListKeepsTheStoredOne) {
    WriteFile(folder / "work/a.bin", PatternBytes(800'000));
    ASSERT_TRUE(
        Run({Q("/bigfile=" + (folder / "work/a.bin")), QStringLiteral("/basesize=0"),
             QStringLiteral("/basesize=99"), QStringLiteral("/split"), QStringLiteral("/exit")}));
    EXPECT_EQ(std::filesystem::file_size(folder / "pieces/a.bin.Brelked_1"), 800'000u);
    EXPECT_EQ(settings.Read(settings::BaseSizeIndex), 1);
}

TEST_F(EndToEndTest, WithoutADisplayTheSwitchesRunAndReportFailuresOnStderr) {
    WriteFile(folder / "work/a.bin", "abc");
    // Nobody could close a window that nobody sees: the program ends by itself.
    ASSERT_TRUE(Run({Q("/bigfile=" + (folder / "work/a.bin")), QStringLiteral("/exit")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(Exists(folder / "pieces/a.bin.Brelked_1"));

    ASSERT_TRUE(Run({Q("/bigfile=" + (folder / "work/none.bin")), QStringLiteral("/split"),
                     QStringLiteral("/exit")}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("File is missing: "));

    ASSERT_TRUE(Run({}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("There is no display"));
}

TEST_F(EndToEndTest, ADisplayThatNobodyAnswersCountsAsNone) {
    // As an ssh session or a cron job may leave it: a display with no server.
    extraEnvironment = {{QStringLiteral("DISPLAY"), QStringLiteral(":97")},
                        {QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("no-such-wayland")}};
    WriteFile(folder / "work/a.bin", PatternBytes(3'000'000));
    ASSERT_TRUE(Run({Q("/bigfile=" + (folder / "work/a.bin")), QStringLiteral("/split"),
                     QStringLiteral("/exit")}));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");  // nor Qt's own warnings
    EXPECT_TRUE(Exists(folder / "pieces/a.bin.Brelked_3"));

    ASSERT_TRUE(Run({}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("There is no display"));
}

}  // namespace
}  // namespace brelker

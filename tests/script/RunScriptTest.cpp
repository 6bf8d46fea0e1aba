// Runs the restore scripts where receivers run them: the batch script in Wine's
// cmd, the shell script in dash, bash and busybox sh. Only the files left
// behind count; Wine's exit code means nothing.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "engine/PieceNames.h"
#include "script/RestoreScript.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class SilentView : public ScriptView {
public:
    void SetStatus(const std::string&) override {}
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    void SetSelfUnitEnabled(bool) override {}
    std::optional<std::string> AskSavePath(const std::string&, const std::string&,
                                           const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

std::string Sh(const std::string& word) {
    std::string out = "'";
    for (const char c : word) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ScriptRun : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        options.RemoveSmallFiles = true;
        options.RemoveSelfUnit = true;
    }

    // Pieces of these sizes beside the script, as the split left them.
    void Split(const std::string& name, const std::vector<std::int64_t>& sizes) {
        stem = name;
        job.BigFilePath = "/elsewhere/" + name;
        job.SmallFilesBase = "/elsewhere/" + name;
        job.SmallFileCount = static_cast<int>(sizes.size());
        job.SmallFileSizes = {0};
        job.PieceDigests.clear();
        job.BigFileBytes = 0;
        for (const std::int64_t size : sizes) {
            job.BigFileBytes += size;
        }
        original = PatternBytes(job.BigFileBytes, static_cast<std::uint32_t>(sizes.size()));
        std::size_t at = 0;
        for (const std::int64_t size : sizes) {
            job.SmallFileSizes.push_back(size);
            WriteFile(Piece(job.SmallFileSizes.size() - 1), original.substr(at, size));
            at += static_cast<std::size_t>(size);
        }
    }
    void AddDigests() {
        job.PieceDigests = {""};
        for (int k = 1; k <= job.SmallFileCount; ++k) {
            job.PieceDigests.push_back(Sha256(Piece(k)));
        }
        WriteFile(elsewhere / "whole", original);
        job.WholeDigest = Sha256(elsewhere / "whole");
    }
    std::string Sha256(const std::string& path) const {
        RunCommand("sha256sum <" + Sh(path) + " >" + Sh(elsewhere / "sum"));
        return ReadFile(elsewhere / "sum").substr(0, 64);
    }

    std::string Piece(std::size_t k) const { return folder / PieceName(stem, ".Brelked_", k); }
    int PiecesLeft() const {
        int left = 0;
        for (int k = 1; k <= job.SmallFileCount; ++k) {
            left += Exists(Piece(static_cast<std::size_t>(k))) ? 1 : 0;
        }
        return left;
    }
    std::size_t FilesInFolder() const {
        const std::filesystem::directory_iterator all(folder.Path());
        return static_cast<std::size_t>(std::distance(begin(all), end(all)));
    }

    TempFolder folder;
    TempFolder elsewhere;
    FaultyPlatform platform;
    SilentView view;
    Job job;
    ScriptOptions options;
    RestoreScript script{job, platform, view};
    std::string stem;
    std::string original;
};

class BatchScriptRun : public ScriptRun {
protected:
    static void SetUpTestSuite() {
        setenv("WINEPREFIX", BRELKER_WINE_PREFIX, 1);
        setenv("WINEDEBUG", "-all", 1);
        // No dialogs offering to install .NET or a browser engine into the prefix.
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        RunCommand("wine cmd /c exit </dev/null >/dev/null 2>&1");  // a new prefix takes seconds
    }
    // Writes SelfUnit.bat and runs it from the pieces' folder; what cmd printed.
    std::string RunBatch() {
        EXPECT_EQ(script.Write(folder / "SelfUnit.bat", options), ScriptResult::Created);
        RunCommand("cd " + Sh(folder.Path()) + " && wine cmd /c SelfUnit.bat </dev/null >" +
                   Sh(elsewhere / "out") + " 2>&1");
        const std::string out = ReadFile(elsewhere / "out");
        EXPECT_EQ(out.find("\nINJECTED"), std::string::npos) << out;
        return out;
    }
    bool Restored() const { return ReadFile(folder / stem) == original; }
};

// A name with every character that means something to cmd, and letters that
// code pages 437 and 850 share.
const std::string kBatchName = "A b&c 50% ^ (echo INJECTED) \xC3\xA5\xC3\xA4\xC3\xB6.bin";

TEST_F(BatchScriptRun, RestoresAnIntactSeriesWithAndWithoutDeleting) {
    Split(kBatchName, {70'000, 70'000, 70'000, 1'234});
    options.RemoveSmallFiles = false;
    options.RemoveSelfUnit = false;
    EXPECT_NE(RunBatch().find("The file is restored!"), std::string::npos);
    EXPECT_TRUE(Restored());
    EXPECT_EQ(PiecesLeft(), 4);
    EXPECT_TRUE(Exists(folder / "SelfUnit.bat"));

    std::filesystem::remove(folder / kBatchName);
    options.RemoveSmallFiles = true;
    options.RemoveSelfUnit = true;
    RunBatch();
    EXPECT_TRUE(Restored());
    EXPECT_EQ(FilesInFolder(), 1u);  // the big file; pieces and script are gone
}

TEST_F(BatchScriptRun, AMissingPieceIsNamedAndNothingIsDeleted) {
    Split(kBatchName, {70'000, 70'000, 70'000, 1'234});
    std::filesystem::remove(Piece(2));
    const std::string out = RunBatch();
    EXPECT_NE(out.find("Missing smaller file: A b&c 50% ^ (echo INJECTED)"), std::string::npos);
    EXPECT_NE(out.find(".bin.Brelked_2\r\nCould not restore the big file!"), std::string::npos);
    EXPECT_EQ(PiecesLeft(), 3);
    EXPECT_FALSE(Exists(folder / kBatchName));
    EXPECT_TRUE(Exists(folder / "SelfUnit.bat"));
}

TEST_F(BatchScriptRun, APieceCutShortStopsTheDeleting) {
    Split(kBatchName, {70'000, 70'000, 70'000, 1'234});
    std::filesystem::resize_file(Piece(3), 1'000);
    options.RemoveSmallFiles = false;
    EXPECT_EQ(RunBatch().find("The file is restored!"), std::string::npos);
    EXPECT_EQ(PiecesLeft(), 4);
    EXPECT_TRUE(Exists(folder / "SelfUnit.bat"));

    options.RemoveSmallFiles = true;
    EXPECT_EQ(RunBatch().find("The file is restored!"), std::string::npos);
    // Pieces 1 and 2 went only once the big file held them.
    EXPECT_EQ(PiecesLeft(), 2);
    EXPECT_TRUE(Exists(Piece(3)));
    EXPECT_EQ(ReadFile(folder / kBatchName).substr(0, 140'000), original.substr(0, 140'000));
    EXPECT_TRUE(Exists(folder / "SelfUnit.bat"));
}

class ShellScriptRun : public ScriptRun, public ::testing::WithParamInterface<const char*> {
protected:
    // Writes the script and runs it from another folder; its exit code.
    int RunShell(const std::string& path = "/usr/bin:/bin") {
        EXPECT_EQ(script.Write(folder / kScriptName, options), ScriptResult::Created);
        return RunCommand("cd / && PATH=" + path + " " + GetParam() + " " +
                          Sh(folder / kScriptName) + " >" + Sh(elsewhere / "out") + " 2>&1");
    }
    std::string Output() const { return ReadFile(elsewhere / "out"); }

    // Names are bytes: quotes, shell syntax, a newline, Latin-1 and a leading dash.
    const std::string kName = "-it's \"odd\" $HOME `id` \\ & *\n\xE9.bin";
    const std::string kScriptName = "restore it's.sh";
};

TEST_P(ShellScriptRun, RestoresAnyNameAndDeletesOnlyAfterwards) {
    Split(kName, {70'000, 70'000, 1'234});
    options.RemoveSmallFiles = false;
    options.RemoveSelfUnit = false;
    EXPECT_EQ(RunShell(), 0) << Output();
    EXPECT_EQ(ReadFile(folder / kName), original);
    EXPECT_EQ(FilesInFolder(), 5u);

    AddDigests();
    options.RemoveSmallFiles = true;
    options.RemoveSelfUnit = true;
    WriteFile(folder / kName, "an older file of that name");
    EXPECT_EQ(RunShell(), 0) << Output();
    EXPECT_EQ(ReadFile(folder / kName), original);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_P(ShellScriptRun, ABrokenSeriesIsNamedAndLeftAsItWas) {
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> faults = {
        {"Missing smaller file: ",
         [](const std::string& piece) { std::filesystem::remove(piece); }},
        {"Smaller file of the wrong size: ",
         [](const std::string& piece) { std::filesystem::resize_file(piece, 69'999); }},
        {"Checksum does not match: ",
         [](const std::string& piece) {
             std::string bytes = ReadFile(piece);
             bytes[35'000] ^= 1;
             WriteFile(piece, bytes);
         }},
    };
    for (const auto& [message, fault] : faults) {
        Split(kName, {70'000, 70'000, 1'234});
        AddDigests();
        fault(Piece(2));
        WriteFile(folder / kName, "an older file of that name");
        std::filesystem::remove(folder / kScriptName);
        const std::size_t files = FilesInFolder();
        EXPECT_EQ(RunShell(), 1) << message;
        EXPECT_NE(Output().find(message + PieceName(kName, ".Brelked_", 2) + "\n"),
                  std::string::npos)
            << Output();
        EXPECT_EQ(ReadFile(folder / kName), "an older file of that name");
        EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(3)),
                  original.substr(0, 70'000) + original.substr(140'000));
        EXPECT_EQ(FilesInFolder(), files + 1);  // the script; nothing else added or deleted
    }
}

TEST_P(ShellScriptRun, ShasumServesWhereSha256sumIsMissing) {
    const std::string bin = elsewhere / "bin";
    std::filesystem::create_directory(bin);
    for (const char* tool : {"cat", "wc", "mv", "rm", "shasum"}) {
        std::filesystem::create_symlink(std::string("/usr/bin/") + tool, bin + "/" + tool);
    }
    Split(kName, {70'000, 70'000, 1'234});
    AddDigests();
    std::string bytes = ReadFile(Piece(3));
    bytes[0] ^= 1;
    WriteFile(Piece(3), bytes);
    EXPECT_EQ(RunShell(bin), 1);
    EXPECT_NE(Output().find("Checksum does not match: "), std::string::npos) << Output();
    EXPECT_EQ(PiecesLeft(), 3);
}

INSTANTIATE_TEST_SUITE_P(Shells, ShellScriptRun,
                         ::testing::Values("/bin/dash", "/bin/bash", "/bin/busybox sh"));

}  // namespace
}  // namespace brelker

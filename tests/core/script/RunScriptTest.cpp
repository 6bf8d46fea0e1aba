// Runs the restore scripts where receivers run them: the batch script in Wine's
// cmd, the shell script in dash, bash and busybox sh. Only the files left
// behind count; Wine's exit code means nothing.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "script/RestoreScript.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

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
    }

    // Pieces of these sizes in the folder, as a split left them, with their
    // digests when asked for.
    void Split(const std::vector<std::int64_t>& sizes, bool digests = false) {
        job.BigFilePath = job.SmallFilesBase = "/elsewhere/" + name;
        job.SmallFileCount = static_cast<int>(sizes.size());
        job.SmallFileSizes = {0};
        job.PieceDigests = {""};
        original.clear();
        for (const std::int64_t size : sizes) {
            job.SmallFileSizes.push_back(size);
            const std::string piece = PatternBytes(size, job.SmallFileSizes.size());
            WriteFile(Piece(job.SmallFileSizes.size() - 1), piece);
            job.PieceDigests.push_back(digests ? Sha256(piece) : "");
            original += piece;
        }
        job.BigFileBytes = static_cast<std::int64_t>(original.size());
        job.WholeDigest = digests ? Sha256(original) : "";
    }
    std::string Sha256(const std::string& bytes) const {
        WriteFile(elsewhere / "bytes", bytes);
        RunCommand("sha256sum <" + Sh(elsewhere / "bytes") + " >" + Sh(elsewhere / "sum"));
        return ReadFile(elsewhere / "sum").substr(0, 64);
    }

    std::string Piece(std::size_t k) const { return folder / PieceName(name, ".Brelked_", k); }
    std::string Big() const { return ReadFile(folder / name); }
    std::size_t FilesInFolder() const {
        const std::filesystem::directory_iterator all(folder.Path());
        return static_cast<std::size_t>(std::distance(begin(all), end(all)));
    }
    // Writes the script and runs command on it; the exit code.
    int WriteAndRun(const std::string& script, const std::string& command) {
        EXPECT_EQ(writer.Write(folder / script, options), ScriptResult::Created);
        return RunCommand(command + " >" + Sh(elsewhere / "out") + " 2>&1");
    }
    std::string Output() const { return ReadFile(elsewhere / "out"); }

    TempFolder folder;
    TempFolder elsewhere;
    FaultyPlatform platform;
    SilentView view;
    Job job;
    ScriptOptions options{".Brelked_", true, true};
    RestoreScript writer{job, platform, view};
    std::string name;
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
    void SetUp() override {
        ScriptRun::SetUp();
        // Every character that means something to cmd, and letters that code
        // pages 437 and 850 share.
        name = "A b&c 50% ^ (echo INJECTED) \xC3\xA5\xC3\xA4\xC3\xB6.bin";
        Split({70'000, 70'000, 70'000, 1'234});
    }
    // Runs the script as script in the folder, after before (a shell command).
    std::string RunBatch(const std::string& before = {},
                         const std::string& script = "SelfUnit.bat") {
        WriteAndRun("SelfUnit.bat", before + "cd " + Sh(folder.Path()) + " && " + "wine cmd /c " +
                                        Sh(script) + " </dev/null");
        EXPECT_EQ(Output().find("\nINJECTED"), std::string::npos) << Output();
        return Output();
    }
    // Flips the first byte of piece k: same size, other bytes.
    void Damage(std::size_t k) const {
        std::string piece = ReadFile(Piece(k));
        piece[0] = static_cast<char>(~piece[0]);
        WriteFile(Piece(k), piece);
    }
    // A certutil.bat first on Wine's path that answers as certutil does on
    // Windows 10 (spaced: before) with the digests the files have now; the
    // command that puts it there.
    std::string CertutilAnswering(bool spaced) const {
        const auto line = [&](std::string digest) {
            for (std::size_t at = 2; spaced && at < digest.size(); at += 3) {
                digest.insert(at, " ");
            }
            return "echo " + digest + "\r\n";
        };
        std::string bat = "@echo off\r\necho SHA256 hash of the file:\r\n";
        std::string whole;
        for (std::size_t k = 1; k < job.SmallFileSizes.size(); ++k) {
            whole += ReadFile(Piece(k));
            // Only a name that reached it whole gives a size.
            bat += "if \"%~x2\"==\".Brelked_" + std::to_string(k) + "\" if \"%~z2\"==\"" +
                   std::to_string(job.SmallFileSizes[k]) + "\" " + line(Sha256(ReadFile(Piece(k))));
        }
        // The script's own file: first what it probes certutil with, then the whole.
        bat += "if \"%~x2\"==\".tmp\" if \"%~z2\"==\"9\" " + line(Sha256("brelker\r\n"));
        bat += "if \"%~x2\"==\".tmp\" if \"%~z2\"==\"" + std::to_string(whole.size()) + "\" " +
               line(Sha256(whole));
        bat += "echo CertUtil: -hashfile command completed successfully.\r\n";
        std::filesystem::create_directories(elsewhere / "bin");
        WriteFile(elsewhere / "bin/certutil.bat", bat);
        std::string bin = "Z:" + (elsewhere / "bin");
        std::replace(bin.begin(), bin.end(), '/', '\\');
        return "export WINEPATH=" + Sh(bin) + "; ";
    }
};

TEST_F(BatchScriptRun, RestoresAnIntactSeriesWithAndWithoutDeleting) {
    options = {".Brelked_", false, false};
    EXPECT_NE(RunBatch().find("The file is restored!"), std::string::npos);
    EXPECT_EQ(Big(), original);
    EXPECT_EQ(FilesInFolder(), 6u);

    std::filesystem::remove(folder / name);
    options = {".Brelked_", true, true};
    RunBatch();
    EXPECT_EQ(Big(), original);
    EXPECT_EQ(FilesInFolder(), 1u);  // pieces and script are gone
}

TEST_F(BatchScriptRun, AMissingPieceIsNamedAndNothingIsDeleted) {
    std::filesystem::remove(Piece(2));
    EXPECT_NE(RunBatch().find("Missing smaller file: A b&c 50% ^ (echo INJECTED) "),
              std::string::npos);
    EXPECT_NE(Output().find(".bin.Brelked_2\r\nCould not restore the big file!"),
              std::string::npos);
    EXPECT_EQ(FilesInFolder(), 4u);  // three pieces and the script
}

TEST_F(BatchScriptRun, APieceOfTheWrongSizeIsNamedAndNothingIsWritten) {
    WriteFile(folder / name, "an older file of that name");
    for (const bool remove : {false, true}) {
        options.RemoveSmallFiles = remove;
        std::filesystem::resize_file(Piece(remove ? 3 : 1), remove ? 1'000 : 70'001);
        EXPECT_NE(RunBatch().find("Smaller file of the wrong size: A b&c 50% ^ (echo INJECTED) "),
                  std::string::npos)
            << Output();
        EXPECT_EQ(Output().find("The file is restored!"), std::string::npos);
        EXPECT_TRUE(Big() == "an older file of that name") << remove;  // not printed: bytes
        EXPECT_EQ(FilesInFolder(), 6u);  // the pieces, the script and that file
    }
}

// Wine's certutil is a stub that prints nothing: the script cannot prove the
// bytes, so it says so, keeps every piece and itself, and does not replace a
// file of the big file's name with what it joined.
TEST_F(BatchScriptRun, WhereCertutilDoesNotAnswerNothingIsDeletedOrReplaced) {
    Split({70'000, 70'000, 70'000, 1'234}, true);
    Damage(2);
    const std::string joined =
        ReadFile(Piece(1)) + ReadFile(Piece(2)) + ReadFile(Piece(3)) + ReadFile(Piece(4));
    WriteFile(folder / name, "an older file of that name");
    RunBatch();
    EXPECT_EQ(Output().find("The file is restored!"), std::string::npos) << Output();
    EXPECT_NE(Output().find("The file is restored but not verified: certutil could not compute "
                            "its checksums. The smaller files are kept.\r\n"
                            "A file of that name was already there and is left as it is; the "
                            "restored file is: A b&c 50% ^ (echo INJECTED) "),
              std::string::npos)
        << Output();
    EXPECT_NE(Output().find(".bin.restored\r\n"), std::string::npos);
    EXPECT_TRUE(Big() == "an older file of that name");
    EXPECT_TRUE(ReadFile(folder / (name + ".restored")) == joined);
    EXPECT_EQ(FilesInFolder(), 7u);  // pieces, script, that file and the restored one

    std::filesystem::remove(folder / name);
    std::filesystem::remove(folder / (name + ".restored"));
    EXPECT_NE(RunBatch().find("The file is restored but not verified"), std::string::npos);
    EXPECT_TRUE(Big() == joined);
    EXPECT_EQ(FilesInFolder(), 6u);
}

TEST_F(BatchScriptRun, CertutilChecksEveryPieceAndTheWholeBeforeAnythingIsDeleted) {
    for (const bool spaced : {false, true}) {
        Split({70'000, 70'000, 70'000, 1'234}, true);
        WriteFile(folder / name, "an older file of that name");
        Damage(3);
        RunBatch(CertutilAnswering(spaced));
        EXPECT_NE(Output().find("Checksum does not match: A b&c 50% ^ (echo INJECTED) "),
                  std::string::npos)
            << Output();
        EXPECT_NE(Output().find(".bin.Brelked_3\r\n"), std::string::npos);
        EXPECT_EQ(Output().find("The file is restored"), std::string::npos);
        EXPECT_TRUE(Big() == "an older file of that name");
        EXPECT_EQ(FilesInFolder(), 6u);  // pieces, script and that file: no temporary

        // Mended, and run under another name beside a file of the user's
        // that has the script's first name.
        Damage(3);
        EXPECT_NE(RunBatch(CertutilAnswering(spaced) + "cd " + Sh(folder.Path()) +
                               " && mv SelfUnit.bat restore-now.bat && echo mine >SelfUnit.bat; ",
                           "restore-now.bat")
                      .find("The file is restored!"),
                  std::string::npos)
            << Output();
        EXPECT_TRUE(Big() == original);
        EXPECT_EQ(ReadFile(folder / "SelfUnit.bat"), "mine\n");
        EXPECT_EQ(FilesInFolder(), 2u);
        std::filesystem::remove(folder / "SelfUnit.bat");
    }
}

TEST_F(BatchScriptRun, ADiskThatFillsMidCopyLeavesAFileOfTheBigFilesName) {
    WriteFile(folder / name, "an older file of that name");
    // The limit (200 blocks of 512 bytes) ends cmd mid-copy; the server of the
    // prefix is started before, without it.
    RunBatch("wine cmd /c exit; ulimit -f 200; ");
    EXPECT_TRUE(Big() == "an older file of that name");
    for (std::size_t k = 1; k <= 4; ++k) {
        EXPECT_TRUE(Exists(Piece(k))) << k;
    }
}

class ShellScriptRun : public ScriptRun, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ScriptRun::SetUp();
        // Names are bytes: quotes, shell syntax, a newline, Latin-1, a leading dash.
        name = "-it's \"odd\" $HOME `id` \\ & *\n\xE9.bin";
    }
    // Runs the script from another folder.
    int RunShell(const std::string& path = "/usr/bin:/bin") {
        return WriteAndRun("restore it's.sh", "cd / && PATH=" + path + " " + GetParam() + " " +
                                                  Sh(folder / "restore it's.sh"));
    }
};

TEST_P(ShellScriptRun, RestoresAnyNameAndDeletesOnlyAfterwards) {
    Split({70'000, 70'000, 1'234});
    options = {".Brelked_", false, false};
    EXPECT_EQ(RunShell(), 0) << Output();
    EXPECT_EQ(Big(), original);
    EXPECT_EQ(FilesInFolder(), 5u);

    Split({70'000, 70'000, 1'234}, true);
    options = {".Brelked_", true, true};
    WriteFile(folder / name, "an older file of that name");
    EXPECT_EQ(RunShell(), 0) << Output();
    EXPECT_EQ(Big(), original);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_P(ShellScriptRun, ABrokenPieceIsNamedAndNothingIsChanged) {
    for (const std::string fault : {"Missing smaller file: ", "Smaller file of the wrong size: ",
                                    "Checksum does not match: "}) {
        Split({70'000, 70'000, 1'234}, true);
        std::string piece = ReadFile(Piece(2));
        piece.resize(fault.starts_with("Smaller") ? 69'999 : 70'000);
        piece[0] ^= fault.starts_with("Checksum") ? 1 : 0;
        WriteFile(Piece(2), piece);
        if (fault.starts_with("Missing")) {
            std::filesystem::remove(Piece(2));
        }
        WriteFile(folder / name, "an older file of that name");
        std::filesystem::remove(folder / "restore it's.sh");
        const std::size_t files = FilesInFolder();

        EXPECT_EQ(RunShell(), 1) << fault;
        EXPECT_NE(Output().find(fault + PieceName(name, ".Brelked_", 2) + "\n"), std::string::npos)
            << Output();
        EXPECT_EQ(Big(), "an older file of that name");
        EXPECT_EQ(FilesInFolder(), files + 1);  // the script; nothing else added or deleted
    }
}

// A PATH with only these tools: the script needs no other.
std::string PathWith(const TempFolder& folder, std::initializer_list<const char*> tools) {
    const std::string bin = folder / "bin";
    std::filesystem::create_directory(bin);
    for (const char* tool : tools) {
        std::filesystem::create_symlink(std::string("/usr/bin/") + tool, bin + "/" + tool);
    }
    return bin;
}

TEST_P(ShellScriptRun, ShasumServesWhereSha256sumIsMissing) {
    Split({70'000, 70'000, 1'234}, true);
    WriteFile(Piece(3), std::string(1'234, 'x'));
    EXPECT_EQ(RunShell(PathWith(elsewhere, {"cat", "wc", "mv", "rm", "shasum"})), 1);
    EXPECT_NE(Output().find("Checksum does not match: "), std::string::npos) << Output();
    EXPECT_EQ(FilesInFolder(), 4u);
}

TEST_P(ShellScriptRun, WithoutAToolForChecksumsTheFileIsRestoredButNothingDeleted) {
    Split({70'000, 70'000, 1'234}, true);
    const std::string path = PathWith(elsewhere, {"cat", "wc", "mv", "rm"});
    EXPECT_EQ(RunShell(path), 2);
    EXPECT_NE(Output().find("The file is restored but not verified"), std::string::npos)
        << Output();
    EXPECT_EQ(Output().find("The file is restored!"), std::string::npos);
    EXPECT_TRUE(Big() == original);
    EXPECT_EQ(FilesInFolder(), 5u);  // the pieces and the script stay

    // Unproven bytes never replace a file of the big file's name, nor one of
    // the name they get instead.
    WriteFile(folder / name, "an older file of that name");
    WriteFile(folder / (name + ".restored"), "another one");
    EXPECT_EQ(RunShell(path), 2);
    EXPECT_NE(Output().find("The file is restored but not verified: neither sha256sum nor shasum "
                            "was found. The smaller files are kept.\nA file of that name was "
                            "already there and is left as it is; the restored file is: " +
                            name + ".restored-1\n"),
              std::string::npos)
        << Output();
    EXPECT_TRUE(Big() == "an older file of that name");
    EXPECT_EQ(ReadFile(folder / (name + ".restored")), "another one");
    EXPECT_TRUE(ReadFile(folder / (name + ".restored-1")) == original);
    EXPECT_EQ(FilesInFolder(), 7u);
}

TEST_P(ShellScriptRun, TheScriptRemovesOnlyTheFileItWasStartedAs) {
    Split({70'000, 1'234});
    EXPECT_EQ(WriteAndRun("SelfUnit.sh",
                          "cd " + Sh(folder.Path()) + " && mv SelfUnit.sh restore-now.sh && " +
                              "echo mine >SelfUnit.sh && " + GetParam() + " restore-now.sh"),
              0)
        << Output();
    EXPECT_TRUE(Big() == original);
    EXPECT_EQ(ReadFile(folder / "SelfUnit.sh"), "mine\n");
    EXPECT_EQ(FilesInFolder(), 2u);

    // Read from standard input, the script is no file at all: $0 is the
    // shell's name, and a file of that name is the user's.
    Split({70'000, 1'234});
    std::filesystem::remove(folder / name);
    const std::string shell = std::string(GetParam()).ends_with(" sh") ? "sh" : GetParam();
    const std::string own = shell.substr(shell.rfind('/') + 1);
    WriteFile(folder / own, "mine");
    EXPECT_EQ(WriteAndRun("SelfUnit.sh",
                          "cd " + Sh(folder.Path()) + " && " + GetParam() + " <SelfUnit.sh"),
              0)
        << Output();
    EXPECT_TRUE(Big() == original);
    EXPECT_EQ(ReadFile(folder / own), "mine");
    EXPECT_TRUE(Exists(folder / "SelfUnit.sh"));
}

INSTANTIATE_TEST_SUITE_P(Shells, ShellScriptRun,
                         ::testing::Values("/bin/dash", "/bin/bash", "/bin/busybox sh"));

}  // namespace
}  // namespace brelker

// brelker.exe as a Windows user runs it: names in three scripts, paths past 260
// characters, the registry for settings, and the batch script in cmd.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#undef DeleteFile

#include "TempFolder.h"
#include "checksum/Sha256.h"
#include "platform/WideText.h"
#include "platform/Win32Platform.h"

namespace brelker {
namespace {

// The program as Windows names it (brelker.com, or the window's brelker.exe);
// under Wine the build tree is on drive Z:.
std::wstring Program(std::string path = BRELKER_BINARY) {
    if (path.starts_with('/')) {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return Widen(path);
}

class WindowsConsoleTest : public ::testing::Test {
protected:
    // Runs a command line in folder and waits for it, its standard error into
    // errors when given; its exit code, or -1 when it did not start.
    static int Run(const std::wstring& commandLine, const std::string& folder,
                   HANDLE errors = nullptr) {
        std::wstring line = commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (errors != nullptr) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdError = errors;
        }
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, errors != nullptr, 0, nullptr,
                              Widen(folder).c_str(), &startup, &process)) {
            return -1;
        }
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return static_cast<int>(code);
    }
    int Brelker(const std::string& arguments, const std::string& where) {
        return Run(L"\"" + Program() + L"\" " + Widen(arguments), where);
    }

    std::string Read(const std::string& path) {
        const FileHandle file = platform.OpenForReading(path);
        std::string content(
            static_cast<std::size_t>(std::max<std::int64_t>(platform.FileSize(path), 0)), '\0');
        if (file != kNoFile) {
            content.resize(
                static_cast<std::size_t>(platform.Read(file, content.data(), std::ssize(content))));
            platform.Close(file);
        }
        return content;
    }
    void Write(const std::string& path, const std::string& content) {
        const FileHandle file = platform.CreateForWriting(path);
        ASSERT_NE(file, kNoFile) << path;
        platform.Write(file, content.data(), std::ssize(content));
        platform.Close(file);
    }

    TempFolder folder;
    Win32Platform platform;
    const std::string bytes = PatternBytes(2'500'000);
};

TEST_F(WindowsConsoleTest, SplitJoinAndVerifyARoundTripOnAWideNameInALongPath) {
    std::string deep = folder.Path();
    while (deep.size() < 280) {
        deep = platform.JoinPath(deep, "\xD0\x96\xC3\xBC" + std::string(30, 'x'));
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + Widen(deep)).c_str(), nullptr)) << deep;
    }
    const std::string name =
        "Gr\xC3\xBC\xC3\x9F"
        "e_\xE6\x97\xA5\xE6\x9C\xAC_\xD0\x96.bin";
    const std::string big = platform.JoinPath(deep, name);
    Write(big, bytes);

    // Relative names from a current folder that is itself past 260 characters
    // would not work on Windows; the whole path is given instead.
    ASSERT_EQ(Brelker("split \"" + big + "\" -b 1M -q", folder.Path()), 0);
    EXPECT_EQ(platform.FileSize(big + ".Brelked_1"), 1'048'576);
    EXPECT_EQ(Read(big + ".Brelked_1") + Read(big + ".Brelked_2") + Read(big + ".Brelked_3"),
              bytes);
    EXPECT_EQ(Read(big + ".sha256"),
              Sha256Hex(bytes.substr(0, 1'048'576)) + "  " + name + ".Brelked_1\n" +
                  Sha256Hex(bytes.substr(1'048'576, 1'048'576)) + "  " + name + ".Brelked_2\n" +
                  Sha256Hex(bytes.substr(2'097'152)) + "  " + name + ".Brelked_3\n" +
                  Sha256Hex(bytes) + "  " + name + "\n");

    const std::string back = platform.JoinPath(deep, "back.bin");
    ASSERT_EQ(Brelker("join \"" + big + ".Brelked_2\" -o \"" + back + "\" -q", folder.Path()), 0);
    EXPECT_EQ(Read(back), bytes);
    EXPECT_EQ(Brelker("verify \"" + big + ".Brelked_1\" -q", folder.Path()), 0);

    Write(big + ".Brelked_2", std::string(1'048'576, 'x'));
    EXPECT_EQ(Brelker("verify \"" + big + ".Brelked_1\" -q", folder.Path()), 1);
    EXPECT_EQ(Brelker("join \"" + big + ".Brelked_1\" -o \"" + back + "\" -q", folder.Path()), 1);
    EXPECT_EQ(Read(back), bytes);  // kept as it was
    EXPECT_EQ(Brelker("split --no-such-option", folder.Path()), 2);
    EXPECT_EQ(Brelker("/nosuchswitch", folder.Path()), 2);
    EXPECT_EQ(Brelker("--version", folder.Path()), 0);
}

// Ended from outside with no chance to clean up (as Task Manager ends a
// program), a split leaves a list that says it did not finish: a join of what
// is there refuses and writes nothing.
TEST_F(WindowsConsoleTest, AJoinOfASplitEndedFromOutsideRefuses) {
    const std::string work = folder.Path();
    Write(folder / "big.bin", PatternBytes(60'000'000));
    std::wstring line = L"\"" + Program() + L"\" split big.bin -b 100K";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 Widen(work).c_str(), &startup, &process));
    while (platform.FileSize(folder / "big.bin.Brelked_3") < 0 &&
           ::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        ::Sleep(1);
    }
    const bool running = ::TerminateProcess(process.hProcess, 9) != 0;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (!running || platform.FileSize(folder / "big.bin.Brelked_600") >= 0) {
        GTEST_SKIP() << "the split ended before it could be stopped";
    }
    EXPECT_EQ(Brelker("join big.bin.Brelked_1 -o joined.bin", work), 1);
    EXPECT_FALSE(platform.Exists(folder / "joined.bin"));
    EXPECT_EQ(Brelker("verify big.bin.Brelked_1", work), 1);
}

TEST_F(WindowsConsoleTest, TheWindowsSwitchesRunAnUnattendedSplit) {
    const std::string big = platform.JoinPath(folder.Path(),
                                              "Gr\xC3\xBC\xC3\x9F"
                                              "e.bin");
    Write(big, bytes);
    const std::string pieces = platform.JoinPath(folder.Path(), "pieces");
    ASSERT_TRUE(::CreateDirectoryW(Widen(pieces).c_str(), nullptr));
    const std::string stem = platform.JoinPath(pieces, "part");
    const std::string script = platform.JoinPath(pieces, "restore.bat");
    EXPECT_EQ(Brelker("/bigfile=\"" + big + "\" /smallfiles=\"" + stem +
                          "\" /basesize=1 /minimize /split /selfunitfile=\"" + script + "\" /exit",
                      folder.Path()),
              0);
    std::string joined;
    for (int k = 1; platform.FileSize(stem + ".Brelked_" + std::to_string(k)) >= 0; ++k) {
        joined += Read(stem + ".Brelked_" + std::to_string(k));
    }
    EXPECT_TRUE(joined == bytes);
    EXPECT_TRUE(Read(script).starts_with("@echo off"));

    // A failure says why on standard error and exits with 1.
    EXPECT_EQ(Run(L"cmd.exe /c \"\"" + Program() + L"\" /bigfile=none.bin /split /exit 2>err.txt\"",
                  folder.Path()),
              1);
    EXPECT_NE(Read(platform.JoinPath(folder.Path(), "err.txt")).find("none.bin"),
              std::string::npos);
}

// Both programs take their arguments by one rule: a misspelt command is a
// usage error, from the window's program too, rather than a window.
TEST_F(WindowsConsoleTest, AMisspeltCommandIsAUsageErrorFromEitherProgram) {
    Write(platform.JoinPath(folder.Path(), "a.bin"), bytes);
    for (const std::wstring& program : {Program(), Program(BRELKER_WINDOW_BINARY)}) {
        const std::string errors = platform.JoinPath(folder.Path(), "err.txt");
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        const HANDLE file = ::CreateFileW(Widen(errors).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherited, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Run(L"\"" + program + L"\" spilt a.bin", folder.Path(), file), 2);
        ::CloseHandle(file);
        EXPECT_TRUE(Read(errors).starts_with("brelker: Unknown command or option: 'spilt'"))
            << Read(errors);
    }
}

TEST_F(WindowsConsoleTest, TheBatchScriptRebuildsTheFileInCmd) {
    // Letters that code pages 437 and 850 share: Wine's cmd reads batch files in
    // the first, Western Windows in the second.
    const std::string name = "A b&c 50% (\xC3\xA5\xC3\xA4\xC3\xB6).bin";
    const std::string big = platform.JoinPath(folder.Path(), name);
    Write(big, bytes);
    ASSERT_EQ(Brelker("split \"" + name + "\" -b 1M --script restore.bat -q", folder.Path()), 0);
    ASSERT_TRUE(platform.DeleteFile(big));
    Run(L"cmd.exe /c restore.bat", folder.Path());
    EXPECT_EQ(Read(big), bytes);
}

TEST_F(WindowsConsoleTest, AJoinOntoStandardOutputFeedsASplitOfStandardInput) {
    Write(platform.JoinPath(folder.Path(), "big.bin"), bytes);
    ASSERT_EQ(Brelker("split big.bin -b 1M -q", folder.Path()), 0);
    // A pipe of cmd's, whose reading end ends when the writer has gone.
    const std::wstring program = L"\"" + Program() + L"\"";
    EXPECT_EQ(Run(L"cmd.exe /c \"" + program + L" join big.bin.Brelked_1 -o - -q | " + program +
                      L" split - -b 1M -o copy.bin -q\"",
                  folder.Path()),
              0);
    for (const char* number : {"1", "2", "3"}) {
        EXPECT_EQ(Read(platform.JoinPath(folder.Path(), std::string("copy.bin.Brelked_") + number)),
                  Read(platform.JoinPath(folder.Path(), std::string("big.bin.Brelked_") + number)))
            << number;
    }
    EXPECT_TRUE(Read(platform.JoinPath(folder.Path(), "copy.bin.sha256"))
                    .ends_with(Sha256Hex(bytes) + "  copy.bin\n"));
}

// A named pipe is read as standard input is, to its end.
TEST_F(WindowsConsoleTest, ANamedPipeIsSplitAsItsBytesCome) {
    const std::wstring name =
        L"\\\\.\\pipe\\brelker-test-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE pipe = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND,
                                           PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::thread writer([&] {
        DWORD written = 0;
        if (::ConnectNamedPipe(pipe, nullptr) || ::GetLastError() == ERROR_PIPE_CONNECTED) {
            ::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            ::FlushFileBuffers(pipe);
        }
        ::CloseHandle(pipe);
    });
    EXPECT_EQ(Brelker("split " + Narrow(name) + " -b 1M -o piped.bin -q", folder.Path()), 0);
    // Had the program not come, the writer would wait for a reader forever.
    const HANDLE late =
        ::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (late != INVALID_HANDLE_VALUE) {
        ::CloseHandle(late);
    }
    writer.join();
    const std::string stem = platform.JoinPath(folder.Path(), "piped.bin.Brelked_");
    EXPECT_EQ(Read(stem + "1") + Read(stem + "2") + Read(stem + "3"), bytes);
    EXPECT_EQ(Brelker("split " + Narrow(name) + " -o x", folder.Path()), 2);  // no -b
}

}  // namespace
}  // namespace brelker

// brelker.com, the console twin of the Windows window (src/win32): the command
// line, and the window's switches run without a window. Without arguments it
// shows the help; an argument that is neither a command nor a switch is a usage
// error.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <io.h>
#include <windows.h>
#undef DeleteFile

#include "console/ConsoleArguments.h"
#include "console/ConsoleRun.h"
#include "model/HeadlessView.h"
#include "platform/WideText.h"
#include "platform/Win32Platform.h"
#include "settings/RegistrySettingsStore.h"

namespace {

// A console window shows the progress line with carriage returns and blanks
// alone: not every console that accepts the mode for escapes shows them as
// such (Wine's prints the "[K" of an erase).
brelker::ProgressLine ProgressConsole() {
    DWORD mode = 0;
    if (_isatty(_fileno(stderr)) == 0 ||
        ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) == 0) {
        return brelker::ProgressLine::None;
    }
    return brelker::ProgressLine::CarriageReturns;
}

}  // namespace

int main() {
    ::SetConsoleOutputCP(CP_UTF8);
    brelker::Win32Platform platform;
    brelker::RegistrySettingsStore store;
    const std::vector<std::string> arguments = brelker::CommandLineArguments();
    if (brelker::ChooseStart(arguments) == brelker::StartKind::Switches) {
        return brelker::RunSwitchesWithoutWindow(arguments, platform, store, std::cerr);
    }
    return brelker::RunConsoleCommandLine(arguments, platform, store, std::cout, std::cerr,
                                          ProgressConsole());
}

// brelker.exe: the window, as a program of the graphical subsystem, so that a
// double click opens no console. The commands of the command line run here
// too when a script names brelker.exe itself, writing to the console it was
// started from; in a console, "brelker" finds brelker.com first, the console
// program, which the console waits for.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <windows.h>
#undef DeleteFile
#include <commctrl.h>
#include <shellapi.h>

#include "console/ConsoleArguments.h"
#include "console/ConsoleRun.h"
#include "model/CommandLine.h"
#include "model/UnattendedDialogs.h"
#include "platform/WideText.h"
#include "platform/Win32Platform.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/Settings.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Window.h"

namespace {

// A program of the graphical subsystem starts without standard streams unless
// its parent handed it some (a redirection, a pipe): it then writes to the
// console of the program that started it, where there is one.
void WriteToParentConsole() {
    const HANDLE given = ::GetStdHandle(STD_ERROR_HANDLE);
    if (given != nullptr && given != INVALID_HANDLE_VALUE) {
        return;
    }
    if (::AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
        return;
    }
    ::SetConsoleOutputCP(CP_UTF8);
    FILE* reopened = nullptr;
    ::freopen_s(&reopened, "CONOUT$", "w", stdout);
    ::freopen_s(&reopened, "CONOUT$", "w", stderr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    brelker::Win32Platform platform;
    brelker::RegistrySettingsStore store;
    const std::vector<std::string> arguments = brelker::CommandLineArguments();
    if (brelker::ChooseStart(arguments) == brelker::StartKind::CommandLine) {
        WriteToParentConsole();
        return brelker::RunConsoleCommandLine(arguments, platform, store, std::cout, std::cerr,
                                              brelker::ProgressLine::None);
    }
    const bool unattended = brelker::IsUnattended(brelker::ParseCommandLine(arguments));
    if (unattended) {
        WriteToParentConsole();
    }

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&controls);
    // Dropping files from Explorer onto a window of a program that runs with
    // more rights than Explorer would otherwise be refused by the system.
    ::ChangeWindowMessageFilter(WM_DROPFILES, MSGFLT_ADD);
    ::ChangeWindowMessageFilter(WM_COPYDATA, MSGFLT_ADD);
    ::ChangeWindowMessageFilter(0x0049, MSGFLT_ADD);  // WM_COPYGLOBALDATA

    brelker::win32::Win32Dialogs interactive(instance, platform);
    brelker::UnattendedDialogs quiet(std::cerr, &interactive);
    brelker::DialogService& dialogs =
        unattended ? static_cast<brelker::DialogService&>(quiet) : interactive;
    brelker::win32::Win32Window window(instance, platform, store, dialogs);
    interactive.SetOwner(window.Handle());
    try {
        window.Start(arguments);
    } catch (const std::exception& error) {
        // Start-up goes on as far as it came.
        ::MessageBoxW(window.Handle(), brelker::Widen(error.what()).c_str(),
                      brelker::Widen(brelker::kProgramName).c_str(), MB_OK | MB_ICONHAND);
    }
    if (window.QuitRequested()) {
        return window.ExitCode();
    }
    return window.Run(show);
}

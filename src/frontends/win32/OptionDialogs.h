#pragma once

#include <functional>
#include <string>

#include <windows.h>
#undef DeleteFile

namespace brelker {
class BaseSizeModel;
class DiskCountModel;
class ExtractModel;
class MemoryModel;
class SuffixModel;
}  // namespace brelker

namespace brelker::win32 {

// The option dialogs and the disk count question, each shown modally over
// owner on its model: true when it was accepted (OK or Save).
bool RunMemoryDialog(HWND owner, MemoryModel& model);
// warning shows a message (text, caption) over the dialog: the suffix dialog
// warns of each forbidden character typed.
bool RunSuffixDialog(HWND owner, SuffixModel& model,
                     const std::function<void(const std::string&, const std::string&)>& warning);
bool RunExtractDialog(HWND owner, ExtractModel& model);
void RunBaseSizeDialog(HWND owner, BaseSizeModel& model);
bool RunDiskCountDialog(HWND owner, DiskCountModel& model);

}  // namespace brelker::win32

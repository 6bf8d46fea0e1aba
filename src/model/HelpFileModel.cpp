#include "model/HelpFileModel.h"

#include <cstdint>

#include "platform/OpenedFile.h"
#include "platform/Platform.h"
#include "text/Encoding.h"
#include "text/HelpLines.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

HelpFileModel::~HelpFileModel() {
    if (leftOpen_) {
        DeleteIfWritten(leftOpenPath_, leftOpen_);
    }
    // A file the user saved there under another name keeps the folder.
    if (!folder_.empty()) {
        platform_.RemoveFolder(folder_);
    }
}

std::vector<std::string> HelpFileModel::Lines() const { return HelpLines(ProgramTexts()); }

// Not the current folder: the user did not put the manual there, and a file a
// killed run left behind would stand in the way of the next.
std::string HelpFileModel::FilePath() {
    if (folder_.empty()) {
        folder_ = platform_.MakeTemporaryFolder();
        if (folder_.empty()) {
            return {};
        }
    }
    return platform_.JoinPath(
        folder_, Text(slot::kProgramName) + "_" + Text(slot::kHowItWorksTitle) + ".TXT");
}

void HelpFileModel::DeleteIfWritten(const std::string& path,
                                    const std::optional<std::string>& written) {
    // A viewer that saved the file anew under its name left a file of the
    // user's making there: only the one written here is deleted.
    if (written && platform_.FileIdentity(path) == written) {
        platform_.DeleteFile(path);
    }
}

bool HelpFileModel::WriteFile(const std::string& path) {
    OpenedFile file(platform_, platform_.CreateForWriting(path));
    if (!file) {
        return false;
    }
    for (const std::string& line : Lines()) {
        // Every text of the table exists in the page; the UTF-8 bytes stand in
        // should one ever not.
        const std::string bytes = EncodeText(line, CodePage::Windows1252).value_or(line) + "\r\n";
        const auto size = static_cast<std::int64_t>(bytes.size());
        if (platform_.Write(file.Handle(), bytes.data(), size) != size) {
            return false;
        }
    }
    return true;
}

bool HelpFileModel::ShowAsFile(FileOpener* desktop) {
    // The file given to the desktop last time is written anew; it may be
    // shown still, in another language.
    if (leftOpen_) {
        DeleteIfWritten(leftOpenPath_, leftOpen_);
        leftOpen_.reset();
    }
    const std::string path = FilePath();
    if (path.empty() || platform_.Exists(path)) {
        return false;
    }
    const bool whole = WriteFile(path);
    const auto written = platform_.FileIdentity(path);
    if (!whole) {
        DeleteIfWritten(path, written);
        return false;
    }
    if (desktop != nullptr && desktop->Open(path)) {
        leftOpenPath_ = path;
        leftOpen_ = written;
        return true;
    }
    const bool shown = platform_.ShowInTextViewer(path);
    DeleteIfWritten(path, written);
    if (!shown && notice_) {
        notice_(TextWith(slot::kNothingCanShowFile, {path}),
                StripAccelerator(Text(slot::kInformationOnFile)));
    }
    return shown;
}

}  // namespace brelker

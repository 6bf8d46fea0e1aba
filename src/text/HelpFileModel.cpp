#include "text/HelpFileModel.h"

#include <cstdint>

#include "platform/OpenedFile.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "text/Encoding.h"
#include "text/HelpLines.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

std::vector<std::string> HelpFileModel::Lines() const { return HelpLines(ProgramTexts()); }

std::string HelpFileModel::FilePath() const {
    const std::string folder = platform_.CurrentFolder();
    if (folder.empty()) {
        return {};
    }
    return JoinFolder(folder,
                      Text(slot::kProgramName) + "_" + Text(slot::kHowItWorksTitle) + ".TXT");
}

bool HelpFileModel::ShowAsFile() {
    const std::string path = FilePath();
    if (path.empty() || platform_.Exists(path)) {
        return false;
    }
    OpenedFile file(platform_, platform_.CreateForWriting(path));
    if (!file) {
        return false;
    }
    const auto written = platform_.FileIdentity(path);
    bool whole = true;
    for (const std::string& line : Lines()) {
        // Every text of the table exists in the page; the UTF-8 bytes stand in
        // should one ever not.
        const std::string bytes = EncodeText(line, CodePage::Windows1252).value_or(line) + "\r\n";
        const auto size = static_cast<std::int64_t>(bytes.size());
        if (platform_.Write(file.Handle(), bytes.data(), size) != size) {
            whole = false;
            break;
        }
    }
    file.Close();
    if (whole) {
        platform_.ShowInTextViewer(path);
    }
    // A viewer that saved the file anew under its name left a file of the
    // user's making there: only the one written here is deleted.
    if (written && platform_.FileIdentity(path) == written) {
        platform_.DeleteFile(path);
    }
    return whole;
}

}  // namespace brelker

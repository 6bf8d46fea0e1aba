#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brelker {

class Platform;

// Opens a file with the desktop's own handler for its kind. It returns at once
// while the file is being shown, so the file has to stay where it is.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    // False when nothing took the file.
    virtual bool Open(const std::string& path) = 0;
};

// The How It Works manual: the lines its window lists, and the same lines as a
// file that the user's text viewer is given, in a folder of the run's own among
// the temporary files, which goes when the program ends.
class HelpFileModel {
public:
    // Tells the user something about the file: a text and a caption for a message box.
    using Notice = std::function<void(const std::string& text, const std::string& caption)>;

    explicit HelpFileModel(Platform& platform) : platform_(platform) {}
    // A file still left to the desktop's handler goes with the program, and
    // so does its folder.
    ~HelpFileModel();
    HelpFileModel(const HelpFileModel&) = delete;
    HelpFileModel& operator=(const HelpFileModel&) = delete;

    // Where the model says that nothing could show the file; without one it
    // only returns false.
    void SetNotice(Notice notice) { notice_ = std::move(notice); }

    // The manual in the current language.
    std::vector<std::string> Lines() const;
    // The program's name and the window's title, in the run's folder (made
    // the first time); empty when no folder can be made.
    std::string FilePath();

    // Writes the lines in Windows-1252, each ending in CR LF, and shows the
    // file: with the desktop's handler when one is given and takes it, the
    // file then staying until the next showing or the end of the run; else in
    // the platform's viewer, which holds the program until it ends, after
    // which the file is deleted. When nothing can show it, the notice says so
    // and the file goes. False when the file was not shown. A file of that
    // name that was there before is the user's: it is neither replaced nor
    // deleted.
    bool ShowAsFile(FileOpener* desktop = nullptr);
    // True while the last file shown is with the desktop's handler.
    bool LeftWithDesktop() const { return leftOpen_.has_value(); }

private:
    bool WriteFile(const std::string& path);
    // Deletes the file at path if it is still the one written here.
    void DeleteIfWritten(const std::string& path, const std::optional<std::string>& written);

    Platform& platform_;
    Notice notice_;
    std::string folder_;
    // The file left with the desktop's handler, and its identity when written.
    std::string leftOpenPath_;
    std::optional<std::string> leftOpen_;
};

}  // namespace brelker

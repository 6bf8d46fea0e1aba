#pragma once

#include <string>
#include <vector>

namespace brelker {

class Platform;

// The How It Works manual: the lines its window lists, and the same lines as a
// file in the current folder that the user's text viewer is given.
class HelpFileModel {
public:
    explicit HelpFileModel(Platform& platform) : platform_(platform) {}

    // The manual in the current language.
    std::vector<std::string> Lines() const;
    // The program's name and the window's title in the current folder; empty
    // when there is no current folder, which must not put the file in the root.
    std::string FilePath() const;

    // Writes the lines in Windows-1252, each ending in CR LF, shows the file in
    // the viewer, which holds the program until it ends, and deletes it again.
    // False, and nothing shown, when the file could not be written whole. A
    // file of that name that was there before is the user's: it is neither
    // replaced nor deleted.
    bool ShowAsFile();

private:
    Platform& platform_;
};

}  // namespace brelker

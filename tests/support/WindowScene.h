#pragma once

#include <filesystem>

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "text/TextTable.h"

namespace brelker {

// The surroundings of a main window under test, with the model or with the Qt
// window over it: big files in "big", pieces in "pieces", a floppy drive in
// "floppy", the temp folder as the current folder, and the stored folders and
// pause mode a user would have. The current folder and the language go back as
// they were when the scene ends.
class WindowScene {
public:
    WindowScene(const TempFolder& folder, FaultyPlatform& platform, SettingsStore& store)
        : previousFolder_(std::filesystem::current_path()) {
        for (const char* name : {"big", "pieces", "floppy", "restored"}) {
            std::filesystem::create_directory(folder / name);
        }
        std::filesystem::current_path(folder.Path());
        platform.SetFloppyMountPoints({folder / "floppy"});
        store.WriteStringSetting(subkey::Path, settings::SplitPath, folder / "big");
        store.WriteStringSetting(subkey::Path, settings::JoinPath, folder / "pieces");
        store.Write(settings::ChangeDisk, 2);
    }
    ~WindowScene() {
        std::filesystem::current_path(previousFolder_);
        SetCurrentLanguage(kEnglish);
    }
    WindowScene(const WindowScene&) = delete;
    WindowScene& operator=(const WindowScene&) = delete;

private:
    std::filesystem::path previousFolder_;
};

}  // namespace brelker

#pragma once

#include <optional>
#include <string>

#include "text/MessageIcon.h"

namespace brelker {

// What writing the restore script shows on the main window and asks of the user.
class ScriptView {
public:
    virtual ~ScriptView() = default;

    virtual void SetStatus(const std::string& text) = 0;  // status panel 1
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // The File menu item CreateUnbrelkerFile and the speed button SelfUnitBtn.
    virtual void SetSelfUnitEnabled(bool enabled) = 0;
    // A save dialog; the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> AskSavePath(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& folder,
                                                   const std::string& proposedName) = 0;
};

}  // namespace brelker

#pragma once

#include <optional>
#include <string>

#include "engine/EngineHost.h"

class QDialog;

namespace brelker {

enum class MessageButtons { Ok, YesNo };

// Every file dialog, message box and option dialog of the main window. The
// program uses the Qt dialogs; tests script the user's answers, so no test
// waits for a window.
class DialogService {
public:
    virtual ~DialogService() = default;

    // Filters come as "Description|pattern" pairs joined by "|". A confirmed
    // choice makes the chosen folder the current folder, as the system's own
    // dialogs do; a cancelled one changes nothing.
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                                const std::string& folder) = 0;
    virtual std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                                const std::string& folder,
                                                const std::string& proposedName) = 0;
    // True for OK or Yes.
    virtual bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                         MessageButtons buttons) = 0;
    // Runs one of the window's own dialogs modally; its result
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int RunDialog(QDialog& dialog) = 0;
};

}  // namespace brelker

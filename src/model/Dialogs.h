#pragma once

#include <optional>
#include <string>

#include "text/MessageIcon.h"

namespace brelker {

class BaseSizeModel;
class DiskCountModel;
class ExtractModel;
class HelpFileModel;
class MemoryModel;
class SuffixModel;

// YesNoDefaultNo is for questions whose Yes loses something: Enter answers No.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
inline bool AsksYesOrNo(MessageButtons buttons) { return buttons != MessageButtons::Ok; }
// The answer to a question with a way out that is neither Yes nor No.
enum class Answer { Yes, No, Cancel };

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
    // A question with the question icon and Yes, No and Cancel; Escape and
    // closing the box are Cancel.
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption) = 0;

    // The option dialogs, each shown over its model until it closes: true when
    // it was accepted (OK or Save), false for any other way out. What an
    // accepted dialog decided is the caller's to commit; the base size editor
    // writes every edit at once and has nothing to accept.
    virtual bool Run(MemoryModel& memory) = 0;
    virtual bool Run(SuffixModel& suffix) = 0;
    virtual bool Run(ExtractModel& extraction) = 0;
    virtual void Run(BaseSizeModel& baseSizes) = 0;
    virtual bool Run(DiskCountModel& diskCount) = 0;
    // The How It Works window: shown and brought to the front without waiting,
    // so the main window stays usable while the manual is open.
    virtual void Show(HelpFileModel& help) = 0;

    // From now on somebody watches the window: a run that was to end by itself
    // stopped early and the window waits for the user instead.
    virtual void UserWatches() {}
};

}  // namespace brelker

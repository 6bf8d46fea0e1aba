#include "window/UnattendedDialogs.h"

namespace brelker {

std::optional<std::string> UnattendedDialogs::OpenFile(const std::string& title,
                                                       const std::string& filter,
                                                       const std::string& folder) {
    if (!canAsk_) {
        return std::nullopt;
    }
    return interactive_->OpenFile(title, filter, folder);
}

std::optional<std::string> UnattendedDialogs::SaveFile(const std::string& title,
                                                       const std::string& filter,
                                                       const std::string& folder,
                                                       const std::string& proposedName) {
    if (!canAsk_) {
        return std::nullopt;
    }
    return interactive_->SaveFile(title, filter, folder, proposedName);
}

bool UnattendedDialogs::Message(const std::string& text, const std::string& caption,
                                MessageIcon icon, MessageButtons buttons) {
    if (AsksYesOrNo(buttons) && canAsk_) {
        return interactive_->Message(text, caption, icon, buttons);
    }
    errors_ << "brelker: " << caption << ": " << text << '\n' << std::flush;
    return buttons == MessageButtons::Ok;
}

void UnattendedDialogs::Run(BaseSizeModel& baseSizes) {
    if (canAsk_) {
        interactive_->Run(baseSizes);
    }
}

void UnattendedDialogs::Show(HelpFileModel& help) {
    if (canAsk_) {
        interactive_->Show(help);
    }
}

}  // namespace brelker

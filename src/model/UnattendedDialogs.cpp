#include "model/UnattendedDialogs.h"

#include <utility>

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
    if (canAsk_ && (watched_ || AsksYesOrNo(buttons))) {
        return interactive_->Message(text, caption, icon, buttons);
    }
    errors_ << "brelker: " << caption << ": " << text << '\n' << std::flush;
    if (canAsk_) {
        unseen_.push_back({text, caption, icon});
    }
    return buttons == MessageButtons::Ok;
}

Answer UnattendedDialogs::AskYesNoCancel(const std::string& text, const std::string& caption) {
    if (canAsk_ && watched_) {
        return interactive_->AskYesNoCancel(text, caption);
    }
    errors_ << "brelker: " << caption << ": " << text << '\n' << std::flush;
    return Answer::Yes;
}

void UnattendedDialogs::UserWatches() {
    if (!canAsk_ || watched_) {
        return;
    }
    watched_ = true;
    for (const Said& said : std::exchange(unseen_, {})) {
        interactive_->Message(said.text, said.caption, said.icon, MessageButtons::Ok);
    }
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

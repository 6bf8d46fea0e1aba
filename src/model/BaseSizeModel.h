#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/MessageIcon.h"

namespace brelker {

class SettingsStore;

// The base size editor: the stored list, the entry chosen from it, the two
// texts being edited and which of Modify, Delete and New can be pressed.
// Every edit goes to the store at once; there is no OK and no Cancel, and the
// editor is closed when the user is done.
class BaseSizeModel {
public:
    // Shows a message box: a question (Yes and No, No the default) for the
    // question icon, else a notice with OK. True for Yes or OK.
    using Ask =
        std::function<bool(const std::string& text, const std::string& caption, MessageIcon icon)>;

    explicit BaseSizeModel(SettingsStore& store);
    // Without it nothing is told, and nothing asked is refused.
    void SetAsk(Ask ask) { ask_ = std::move(ask); }

    // The stored list's texts, read anew after every edit.
    const std::vector<std::string>& EntryTexts() const { return entryTexts_; }
    // The entry loaded into the edits; -1: none.
    int ChosenEntry() const { return chosenEntry_; }
    const std::string& Description() const { return description_; }
    const std::string& SizeText() const { return sizeText_; }

    // Loads an entry into the edits; then it can be deleted, and modified once edited.
    void ChooseEntry(int entry);
    void SetDescription(std::string typed);
    void SetSizeText(std::string typed);

    bool ModifyEnabled() const { return modifyEnabled_; }
    bool DeleteEnabled() const { return deleteEnabled_; }
    bool NewEnabled() const { return newEnabled_; }
    // Each does nothing while its button is disabled; afterwards the list is
    // read again and nothing is chosen. The size is read as the window's New
    // Size field reads one ("4G", "650 MB", "1,457,664"); text that is no size
    // is refused with a notice, and the edits stay to be put right. Delete
    // asks first.
    void Modify();
    void Delete();
    void AddNew();

private:
    void Reload();
    void EnableByEdits();
    std::optional<std::int64_t> TypedSize() const;

    SettingsStore& store_;
    Ask ask_;
    std::vector<std::string> entryTexts_;
    int chosenEntry_ = -1;
    std::string description_;
    std::string sizeText_;
    bool modifyEnabled_ = false;
    bool deleteEnabled_ = false;
    bool newEnabled_ = false;
};

}  // namespace brelker

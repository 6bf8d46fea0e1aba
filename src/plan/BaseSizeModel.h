#pragma once

#include <string>
#include <vector>

namespace brelker {

class SettingsStore;

// The base size editor: the stored list, the entry chosen from it, the two
// texts being edited and which of Modify, Delete and New can be pressed.
// Every edit goes to the store at once; there is no OK and no Cancel.
class BaseSizeModel {
public:
    explicit BaseSizeModel(const SettingsStore& store);

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
    // read again and nothing is chosen.
    void Modify();
    void Delete();
    void AddNew();

private:
    void Reload();
    void EnableByEdits();

    const SettingsStore& store_;
    std::vector<std::string> entryTexts_;
    int chosenEntry_ = -1;
    std::string description_;
    std::string sizeText_;
    bool modifyEnabled_ = false;
    bool deleteEnabled_ = false;
    bool newEnabled_ = false;
};

}  // namespace brelker

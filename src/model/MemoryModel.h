#pragma once

#include <string>
#include <string_view>

namespace brelker {

class SettingsStore;

// How much memory a split or join may take for its buffer: a share of the
// piece being copied (MaxFromFile), capped by a share of the machine's memory
// (MaxFromRAM). Holds the pair as it opened and as it is being edited.
class MemoryModel {
public:
    // Opens with the stored pair; each field shows it brought into its bounds.
    explicit MemoryModel(const SettingsStore& store);

    // A number outside the setting's bounds, or no number at all, is replaced by
    // its default at once, keystroke by keystroke, so a field never holds a
    // value Save could not store.
    void SetMaxFromFileText(std::string_view typed);
    void SetMaxFromRAMText(std::string_view typed);
    // What each field shows: the edited number as plain decimal text.
    std::string MaxFromFileText() const { return std::to_string(editedMaxFromFile_); }
    std::string MaxFromRAMText() const { return std::to_string(editedMaxFromRAM_); }

    // Save: stores the edited pair and makes it the accepted one.
    void Commit(SettingsStore& store);

    // The accepted pair: as stored when the dialog opened, even outside the
    // bounds, or as just saved. The window takes it over however the dialog closed.
    int MaxFromFile() const { return acceptedMaxFromFile_; }
    int MaxFromRAM() const { return acceptedMaxFromRAM_; }

private:
    int acceptedMaxFromFile_;
    int acceptedMaxFromRAM_;
    int editedMaxFromFile_;
    int editedMaxFromRAM_;
};

}  // namespace brelker

#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace brelker {

class SettingsStore;

// Characters no file name may hold on the systems the pieces travel to; a
// suffix with one of them would make every piece name invalid.
inline constexpr std::string_view ForbiddenSuffixChars = "\\/:*?\"<>|";
// The warning of a forbidden character: it lists every one, each after a blank.
std::string ForbiddenCharsMessage();

// The piece-name suffix: the text between the big file's name and the running
// number of each piece, as it is being edited.
class SuffixModel {
public:
    // Opens with the stored suffix.
    explicit SuffixModel(const SettingsStore& store);

    void SetText(std::string typed) { text_ = std::move(typed); }
    const std::string& Text() const { return text_; }

    // A text with a forbidden character is warned of when the dialog opens
    // with one and at every change that leaves one in it, and cannot be
    // stored until it is gone.
    bool HasForbiddenCharacter() const;
    bool OkEnabled() const { return !HasForbiddenCharacter(); }

    // OK stores the text unchanged, an empty one as the default; a text that
    // OK could not be pressed for is never stored.
    void Commit(SettingsStore& store) const;

private:
    std::string text_;
};

}  // namespace brelker

#include "model/SuffixModel.h"

#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

std::string ForbiddenCharsMessage() {
    std::string text = Text(slot::kForbiddenCharacters);
    for (const char forbidden : ForbiddenSuffixChars) {
        text += ' ';
        text += forbidden;
    }
    return text;
}

SuffixModel::SuffixModel(const SettingsStore& store) : text_(store.Read(settings::AddedFileType)) {}

bool SuffixModel::HasForbiddenCharacter() const {
    return text_.find_first_of(ForbiddenSuffixChars) != std::string::npos;
}

void SuffixModel::Commit(SettingsStore& store) const {
    if (!OkEnabled()) {
        return;
    }
    store.Write(settings::AddedFileType,
                text_.empty() ? settings::AddedFileType.defaultValue : std::string_view(text_));
}

}  // namespace brelker

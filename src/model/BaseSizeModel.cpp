#include "model/BaseSizeModel.h"

#include <utility>

#include "plan/BaseSizes.h"
#include "plan/ByteSize.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

BaseSizeModel::BaseSizeModel(SettingsStore& store) : store_(store) { Reload(); }

void BaseSizeModel::Reload() {
    const int count = ReadStoredBaseSizeCount(store_);
    entryTexts_.clear();
    for (int i = 0; i < count; ++i) {
        entryTexts_.push_back(ReadStoredBaseSizeText(store_, i));
    }
    chosenEntry_ = -1;
    description_.clear();
    sizeText_.clear();
    modifyEnabled_ = deleteEnabled_ = newEnabled_ = false;
}

void BaseSizeModel::ChooseEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(entryTexts_.size())) {
        return;
    }
    chosenEntry_ = entry;
    description_ = ReadStoredBaseSizeText(store_, entry);
    sizeText_ = std::to_string(ReadStoredBaseSize(store_, entry));
    modifyEnabled_ = newEnabled_ = false;
    deleteEnabled_ = true;
}

void BaseSizeModel::SetDescription(std::string typed) {
    description_ = std::move(typed);
    EnableByEdits();
}

void BaseSizeModel::SetSizeText(std::string typed) {
    sizeText_ = std::move(typed);
    EnableByEdits();
}

// An entry can be deleted only before it is edited, and modified only after;
// a new one needs both texts.
void BaseSizeModel::EnableByEdits() {
    const bool complete = !description_.empty() && !sizeText_.empty();
    deleteEnabled_ = false;
    newEnabled_ = complete;
    modifyEnabled_ = complete && chosenEntry_ != -1;
}

// A size is read as the New Size field of the main window reads one, with the
// digit groups of the window's language.
std::optional<std::int64_t> BaseSizeModel::TypedSize() const {
    const auto size = ParseTypedSize(sizeText_, DigitGroupSeparatorOf(CurrentLanguage()));
    if (!size && ask_) {
        ask_(Text(slot::kNewSizeIgnored), Text(slot::kNewSizeUnusable), MessageIcon::Warning);
    }
    return size;
}

void BaseSizeModel::Modify() {
    if (!modifyEnabled_) {
        return;
    }
    if (const auto size = TypedSize()) {
        ModifyStoredBaseSize(store_, chosenEntry_, description_, *size);
        Reload();
    }
}

// A deleted entry cannot be had back but by typing it again: the user says so first.
void BaseSizeModel::Delete() {
    if (!deleteEnabled_ || (ask_ && !ask_(TextWith(slot::kDeleteBaseSizeQuestion, {description_}),
                                          Text(slot::kDelete), MessageIcon::Question))) {
        return;
    }
    DeleteStoredBaseSize(store_, static_cast<int>(entryTexts_.size()), chosenEntry_);
    Reload();
}

void BaseSizeModel::AddNew() {
    if (!newEnabled_) {
        return;
    }
    if (const auto size = TypedSize()) {
        AddStoredBaseSize(store_, static_cast<int>(entryTexts_.size()), description_, *size);
        Reload();
    }
}

}  // namespace brelker

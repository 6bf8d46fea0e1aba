#include "model/MemoryModel.h"

#include "platform/Decimal.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

int InBounds(int value, const IntegerSetting& setting) {
    return value < setting.minimum || value > setting.maximum ? setting.defaultValue : value;
}

}  // namespace

MemoryModel::MemoryModel(const SettingsStore& store)
    : acceptedMaxFromFile_(store.Read(settings::MaxFromFile)),
      acceptedMaxFromRAM_(store.Read(settings::MaxFromRAM)),
      editedMaxFromFile_(InBounds(acceptedMaxFromFile_, settings::MaxFromFile)),
      editedMaxFromRAM_(InBounds(acceptedMaxFromRAM_, settings::MaxFromRAM)) {}

void MemoryModel::SetMaxFromFileText(std::string_view typed) {
    editedMaxFromFile_ = InBounds(DecimalToInt32(typed), settings::MaxFromFile);
}

void MemoryModel::SetMaxFromRAMText(std::string_view typed) {
    editedMaxFromRAM_ = InBounds(DecimalToInt32(typed), settings::MaxFromRAM);
}

void MemoryModel::Commit(SettingsStore& store) {
    acceptedMaxFromFile_ = editedMaxFromFile_;
    acceptedMaxFromRAM_ = editedMaxFromRAM_;
    store.Write(settings::MaxFromRAM, acceptedMaxFromRAM_);
    store.Write(settings::MaxFromFile, acceptedMaxFromFile_);
}

}  // namespace brelker

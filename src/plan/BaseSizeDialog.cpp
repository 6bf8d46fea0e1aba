#include "plan/BaseSizeDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "plan/BaseSizes.h"
#include "platform/Decimal.h"
#include "settings/Settings.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

// A typed size that is not a positive number stores the floppy size instead.
std::int64_t TypedSize(const QLineEdit* edit) {
    const std::int64_t size = DecimalToInt64(edit->text().toStdString());
    return size < 1 ? kFallbackBaseSize : size;
}

}  // namespace

BaseSizeDialog::BaseSizeDialog(const SettingsStore& store, QWidget* parent)
    : QDialog(parent),
      store_(store),
      lblList_(Named(new QLabel(this), "lblList")),
      listBox1_(Named(new QListWidget(this), "ListBox1")),
      lblDescription_(Named(new QLabel(this), "lblDescription")),
      txtDescription_(Named(new QLineEdit(this), "txtDescription")),
      lblSize_(Named(new QLabel(this), "lblSize")),
      txtSize_(Named(new QLineEdit(this), "txtSize")),
      updateBtn_(Named(new QPushButton(this), "UpdateBtn")),
      deleteBtn_(Named(new QPushButton(this), "DeleteBtn")),
      newBtn_(Named(new QPushButton(this), "NewBtn")) {
    setObjectName(QStringLiteral("TFrmBaseSize"));
    setModal(true);
    lblList_->setBuddy(listBox1_);
    lblDescription_->setBuddy(txtDescription_);
    lblSize_->setBuddy(txtSize_);
    for (QPushButton* button : {updateBtn_, deleteBtn_, newBtn_}) {
        button->setAutoDefault(false);
    }

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblList_, 0, 0);
    layout->addWidget(listBox1_, 1, 0, 5, 1);
    layout->addWidget(lblDescription_, 0, 1);
    layout->addWidget(txtDescription_, 1, 1);
    layout->addWidget(lblSize_, 2, 1);
    layout->addWidget(txtSize_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(updateBtn_);
    buttons->addWidget(deleteBtn_);
    buttons->addWidget(newBtn_);
    layout->addLayout(buttons, 4, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    resize(560, 260);

    connect(listBox1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1Click(listBox1_->row(item)); });
    // Selection, not the current row: focusing the list makes its first line
    // current without the user choosing anything.
    connect(listBox1_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!listBox1_->signalsBlocked() && !listBox1_->selectedItems().isEmpty()) {
            ListBox1Click(listBox1_->currentRow());
        }
    });
    connect(txtDescription_, &QLineEdit::textChanged, this, &BaseSizeDialog::txtDescriptionChange);
    connect(txtSize_, &QLineEdit::textChanged, this, &BaseSizeDialog::txtSizeChange);
    connect(updateBtn_, &QPushButton::clicked, this, &BaseSizeDialog::UpdateBtnClick);
    connect(deleteBtn_, &QPushButton::clicked, this, &BaseSizeDialog::DeleteBtnClick);
    connect(newBtn_, &QPushButton::clicked, this, &BaseSizeDialog::NewBtnClick);
}

void BaseSizeDialog::showEvent(QShowEvent* event) {
    OnActivate();
    QDialog::showEvent(event);
}

void BaseSizeDialog::OnActivate() {
    setWindowTitle(SlotText(slot::kModifyBaseSizes));
    lblList_->setText(SlotText(slot::kBaseSizeList));
    SetHint(listBox1_, slot::kBaseSizeListHint);
    lblDescription_->setText(SlotText(slot::kBaseSizeDescription));
    SetHint(txtDescription_, slot::kBaseSizeDescriptionHint);
    lblSize_->setText(SlotText(slot::kBaseSizeBytes));
    SetHint(txtSize_, slot::kBaseSizeValueHint);
    updateBtn_->setText(SlotText(slot::kModify));
    deleteBtn_->setText(SlotText(slot::kDelete));
    newBtn_->setText(SlotText(slot::kNew));
    deleteBtn_->setEnabled(false);
    RefreshBaseSizeList();
}

void BaseSizeDialog::RefreshBaseSizeList() {
    count_ = ReadStoredBaseSizeCount(store_);
    listBox1_->blockSignals(true);
    listBox1_->clear();
    for (int i = 0; i < count_; ++i) {
        listBox1_->addItem(QString::fromStdString(ReadStoredBaseSizeText(store_, i)));
    }
    listBox1_->blockSignals(false);
    SelectedEntry = -1;
    txtDescription_->clear();
    txtSize_->clear();
    updateBtn_->setEnabled(false);
    deleteBtn_->setEnabled(false);
    newBtn_->setEnabled(false);
}

void BaseSizeDialog::ListBox1Click(int row) {
    if (row < 0 || row >= count_) {
        return;
    }
    SelectedEntry = row;
    // Filling the edits runs their change rules first; then only Delete stays enabled.
    txtDescription_->setText(QString::fromStdString(ReadStoredBaseSizeText(store_, row)));
    txtSize_->setText(QString::number(ReadStoredBaseSize(store_, row)));
    deleteBtn_->setEnabled(true);
    newBtn_->setEnabled(false);
    updateBtn_->setEnabled(false);
}

void BaseSizeDialog::txtDescriptionChange() { EnableByEdits(); }

void BaseSizeDialog::txtSizeChange() { EnableByEdits(); }

// An entry can be deleted only before it is edited, and modified only after.
void BaseSizeDialog::EnableByEdits() {
    deleteBtn_->setEnabled(false);
    if (txtDescription_->text().isEmpty() || txtSize_->text().isEmpty()) {
        updateBtn_->setEnabled(false);
        newBtn_->setEnabled(false);
        return;
    }
    newBtn_->setEnabled(true);
    updateBtn_->setEnabled(SelectedEntry != -1);
}

void BaseSizeDialog::UpdateBtnClick() {
    const int i = listBox1_->currentRow() >= 0 ? listBox1_->currentRow() : SelectedEntry;
    if (i < 0) {
        return;
    }
    store_.Write(settings::BaseSizeIndex, i);  // the modified entry becomes the chosen one
    store_.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(i),
                              std::to_string(TypedSize(txtSize_)));
    store_.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(i),
                              txtDescription_->text().toStdString());
    RefreshBaseSizeList();
}

void BaseSizeDialog::NewBtnClick() {
    const int i = count_;
    SelectedEntry = i;
    store_.Write(settings::BaseSizeIndex, i);  // the new entry becomes the chosen one
    count_ += 1;
    store_.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(i),
                              std::to_string(TypedSize(txtSize_)));
    store_.Write(settings::BaseSizes, count_);
    store_.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(i),
                              txtDescription_->text().toStdString());
    RefreshBaseSizeList();
}

void BaseSizeDialog::DeleteBtnClick() {
    const int row = listBox1_->currentRow();
    if (row < 0 || row >= count_) {
        return;
    }
    count_ -= 1;
    store_.Write(settings::BaseSizes, count_);
    // The stored selection is not shifted: the entry that moves up into the
    // selected place becomes the chosen one; only past the end it moves back.
    const int selected =
        store_.ReadIntegerSetting(subkey::BaseSize, settings::BaseSizeIndex.name, 0);
    if (selected >= count_) {
        store_.Write(settings::BaseSizeIndex, count_ - 1);
    }
    for (int a = row; a < count_; ++a) {
        store_.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(a),
                                  std::to_string(ReadStoredBaseSize(store_, a + 1)));
        store_.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(a),
                                  ReadStoredBaseSizeText(store_, a + 1));
    }
    store_.DeleteSettingValue(subkey::BaseSize, BaseSizeValueName(count_));
    store_.DeleteSettingValue(subkey::BaseSize, BaseSizeTextName(count_));
    RefreshBaseSizeList();
}

}  // namespace brelker

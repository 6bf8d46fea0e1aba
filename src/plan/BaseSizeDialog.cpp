#include "plan/BaseSizeDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "plan/BaseSizes.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
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
    ModifyStoredBaseSize(store_, i, txtDescription_->text().toStdString(),
                         txtSize_->text().toStdString());
    RefreshBaseSizeList();
}

void BaseSizeDialog::NewBtnClick() {
    SelectedEntry = count_;
    count_ = AddStoredBaseSize(store_, count_, txtDescription_->text().toStdString(),
                               txtSize_->text().toStdString());
    RefreshBaseSizeList();
}

void BaseSizeDialog::DeleteBtnClick() {
    const int row = listBox1_->currentRow();
    if (row < 0 || row >= count_) {
        return;
    }
    count_ = DeleteStoredBaseSize(store_, count_, row);
    RefreshBaseSizeList();
}

}  // namespace brelker

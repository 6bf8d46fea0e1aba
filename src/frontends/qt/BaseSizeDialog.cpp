#include "qt/BaseSizeDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "model/BaseSizeModel.h"
#include "qt/WidgetTexts.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

BaseSizeDialog::BaseSizeDialog(BaseSizeModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      listLabel_(Named(new QLabel(this), "lblList")),
      entryList_(Named(new QListWidget(this), "ListBox1")),
      descriptionLabel_(Named(new QLabel(this), "lblDescription")),
      descriptionField_(Named(new QLineEdit(this), "txtDescription")),
      sizeLabel_(Named(new QLabel(this), "lblSize")),
      sizeField_(Named(new QLineEdit(this), "txtSize")),
      modifyButton_(Named(new QPushButton(this), "UpdateBtn")),
      deleteButton_(Named(new QPushButton(this), "DeleteBtn")),
      newButton_(Named(new QPushButton(this), "NewBtn")),
      closeButton_(Named(new QPushButton(this), "CloseBtn")) {
    setObjectName(QStringLiteral("TFrmBaseSize"));
    setModal(true);
    listLabel_->setBuddy(entryList_);
    descriptionLabel_->setBuddy(descriptionField_);
    sizeLabel_->setBuddy(sizeField_);
    // Enter in a field presses nothing: each button says itself what it does.
    for (QPushButton* button : {modifyButton_, deleteButton_, newButton_, closeButton_}) {
        button->setAutoDefault(false);
    }

    auto* layout = new QGridLayout(this);
    layout->addWidget(listLabel_, 0, 0);
    layout->addWidget(entryList_, 1, 0, 5, 1);
    layout->addWidget(descriptionLabel_, 0, 1);
    layout->addWidget(descriptionField_, 1, 1);
    layout->addWidget(sizeLabel_, 2, 1);
    layout->addWidget(sizeField_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(modifyButton_);
    buttons->addWidget(deleteButton_);
    buttons->addWidget(newButton_);
    layout->addLayout(buttons, 4, 1);
    layout->setRowStretch(5, 1);
    layout->addWidget(closeButton_, 6, 1, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    resize(560, 260);

    connect(entryList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { EntryChosen(entryList_->row(item)); });
    // Selection, not the current row: focusing the list makes its first line
    // current without the user choosing anything.
    connect(entryList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!entryList_->selectedItems().isEmpty()) {
            EntryChosen(entryList_->currentRow());
        }
    });
    connect(descriptionField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.SetDescription(text.toStdString());
        ShowButtons();
    });
    connect(sizeField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.SetSizeText(text.toStdString());
        ShowButtons();
    });
    connect(modifyButton_, &QPushButton::clicked, this, [this] {
        model_.Modify();
        ShowEverything();
    });
    connect(deleteButton_, &QPushButton::clicked, this, [this] {
        model_.Delete();
        ShowEverything();
    });
    connect(newButton_, &QPushButton::clicked, this, [this] {
        model_.AddNew();
        ShowEverything();
    });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void BaseSizeDialog::showEvent(QShowEvent* event) {
    ShowTexts();
    ShowEverything();
    QDialog::showEvent(event);
}

void BaseSizeDialog::ShowTexts() {
    setWindowTitle(SlotText(slot::kModifyBaseSizes));
    listLabel_->setText(SlotText(slot::kBaseSizeList));
    SetHint(entryList_, slot::kBaseSizeListHint);
    descriptionLabel_->setText(SlotText(slot::kBaseSizeDescription));
    SetHint(descriptionField_, slot::kBaseSizeDescriptionHint);
    sizeLabel_->setText(SlotText(slot::kBaseSizeBytes));
    SetHint(sizeField_, slot::kBaseSizeValueHint);
    modifyButton_->setText(SlotText(slot::kModify));
    deleteButton_->setText(SlotText(slot::kDelete));
    newButton_->setText(SlotText(slot::kNew));
    closeButton_->setText(SlotText(slot::kCloseButton));
}

void BaseSizeDialog::EntryChosen(int row) {
    model_.ChooseEntry(row);
    ShowEdits();
    ShowButtons();
}

void BaseSizeDialog::ShowEverything() {
    {
        const QSignalBlocker blocker(entryList_);
        entryList_->clear();
        for (const std::string& text : model_.EntryTexts()) {
            entryList_->addItem(Q(text));
        }
    }
    ShowEdits();
    ShowButtons();
}

void BaseSizeDialog::ShowEdits() {
    const QSignalBlocker descriptionBlocker(descriptionField_);
    const QSignalBlocker sizeBlocker(sizeField_);
    descriptionField_->setText(Q(model_.Description()));
    sizeField_->setText(Q(model_.SizeText()));
}

void BaseSizeDialog::ShowButtons() {
    modifyButton_->setEnabled(model_.ModifyEnabled());
    deleteButton_->setEnabled(model_.DeleteEnabled());
    newButton_->setEnabled(model_.NewEnabled());
}

}  // namespace brelker

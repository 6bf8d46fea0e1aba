#include "qt/MemoryDialog.h"

#include <string>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "model/MemoryModel.h"
#include "qt/UpDown.h"
#include "qt/WidgetTexts.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The field's own change signal may be running: the model's text must not
// start it again. setText leaves the caret at the end.
void Show(QLineEdit* field, const std::string& text) {
    const QString shown = Q(text);
    if (field->text() != shown) {
        const QSignalBlocker blocker(field);
        field->setText(shown);
    }
}

}  // namespace

MemoryDialog::MemoryDialog(MemoryModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      headline_(Named(new QLabel(this), "lblMaxAllowedRAM")),
      fileShareField_(Named(new QLineEdit(this), "txtMaxAllowedFile")),
      fileShareArrows_(Named(new UpDown(fileShareField_, settings::MaxFromFile.minimum,
                                        settings::MaxFromFile.maximum, this),
                             "UpDown2")),
      fileShareLabel_(Named(new QLabel(this), "lblMaxFile")),
      ramShareField_(Named(new QLineEdit(this), "txtMaxAllowedRAM")),
      ramShareArrows_(Named(new UpDown(ramShareField_, settings::MaxFromRAM.minimum,
                                       settings::MaxFromRAM.maximum, this),
                            "UpDown1")),
      ramShareLabel_(Named(new QLabel(this), "lblMaxRAM")),
      saveButton_(Named(new QPushButton(this), "OkButton")),
      cancelButton_(Named(new QPushButton(this), "CancelButton")) {
    setObjectName(QStringLiteral("TMemory"));
    setModal(true);
    for (QLineEdit* field : {fileShareField_, ramShareField_}) {
        field->setFixedWidth(48);
        field->setAlignment(Qt::AlignRight);
    }
    saveButton_->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(headline_, 0, 0, 1, 3);
    layout->addWidget(fileShareField_, 1, 0);
    layout->addWidget(fileShareArrows_, 1, 1);
    layout->addWidget(fileShareLabel_, 1, 2);
    layout->addWidget(ramShareField_, 2, 0);
    layout->addWidget(ramShareArrows_, 2, 1);
    layout->addWidget(ramShareLabel_, 2, 2);
    layout->setHorizontalSpacing(2);
    layout->setColumnMinimumWidth(1, 22);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(fileShareField_, &QLineEdit::textChanged, this, &MemoryDialog::FileShareTyped);
    connect(ramShareField_, &QLineEdit::textChanged, this, &MemoryDialog::RamShareTyped);
    connect(saveButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void MemoryDialog::showEvent(QShowEvent* event) {
    ShowTexts();
    Show(fileShareField_, model_.MaxFromFileText());
    Show(ramShareField_, model_.MaxFromRAMText());
    QDialog::showEvent(event);
}

void MemoryDialog::ShowTexts() {
    setWindowTitle(SlotText(slot::kMemoryUsage));
    headline_->setText(SlotText(slot::kMemoryAtLeast));
    fileShareLabel_->setText(SlotText(slot::kMemoryOfFile));
    ramShareLabel_->setText(SlotText(slot::kMemoryOfRam));
    saveButton_->setText(SlotText(slot::kSave));
    cancelButton_->setText(SlotText(slot::kCancel));
}

void MemoryDialog::FileShareTyped() {
    model_.SetMaxFromFileText(fileShareField_->text().toStdString());
    Show(fileShareField_, model_.MaxFromFileText());
}

void MemoryDialog::RamShareTyped() {
    model_.SetMaxFromRAMText(ramShareField_->text().toStdString());
    Show(ramShareField_, model_.MaxFromRAMText());
}

}  // namespace brelker

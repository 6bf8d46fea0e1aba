#include "settings/MemoryDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/Decimal.h"
#include "settings/Settings.h"
#include "settings/UpDown.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

// A number outside the setting's bounds, or no number at all, is replaced by
// its default at once, keystroke by keystroke, so the field never holds a value
// Save could store. The field always shows the number as plain decimal text.
int KeepInBounds(QLineEdit* edit, const IntegerSetting& setting) {
    int value = DecimalToInt32(edit->text().toStdString());
    if (value < setting.minimum || value > setting.maximum) {
        value = setting.defaultValue;
    }
    const QString shown = QString::number(value);
    if (edit->text() != shown) {
        // The field's own change signal is running: the corrected text must
        // not start it again. setText leaves the caret at the end.
        const QSignalBlocker blocker(edit);
        edit->setText(shown);
    }
    return value;
}

}  // namespace

MemoryDialog::MemoryDialog(const SettingsStore& store, QWidget* parent)
    : QDialog(parent),
      store_(store),
      lblMaxAllowedRAM_(Named(new QLabel(this), "lblMaxAllowedRAM")),
      txtMaxAllowedFile_(Named(new QLineEdit(this), "txtMaxAllowedFile")),
      upDown2_(Named(new UpDown(txtMaxAllowedFile_, settings::MaxFromFile.minimum,
                                settings::MaxFromFile.maximum, this),
                     "UpDown2")),
      lblMaxFile_(Named(new QLabel(this), "lblMaxFile")),
      txtMaxAllowedRAM_(Named(new QLineEdit(this), "txtMaxAllowedRAM")),
      upDown1_(Named(new UpDown(txtMaxAllowedRAM_, settings::MaxFromRAM.minimum,
                                settings::MaxFromRAM.maximum, this),
                     "UpDown1")),
      lblMaxRAM_(Named(new QLabel(this), "lblMaxRAM")),
      okButton_(Named(new QPushButton(this), "OkButton")),
      cancelButton_(Named(new QPushButton(this), "CancelButton")) {
    setObjectName(QStringLiteral("TMemory"));
    setModal(true);
    for (QLineEdit* edit : {txtMaxAllowedFile_, txtMaxAllowedRAM_}) {
        edit->setFixedWidth(48);
        edit->setAlignment(Qt::AlignRight);
    }
    okButton_->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblMaxAllowedRAM_, 0, 0, 1, 3);
    layout->addWidget(txtMaxAllowedFile_, 1, 0);
    layout->addWidget(upDown2_, 1, 1);
    layout->addWidget(lblMaxFile_, 1, 2);
    layout->addWidget(txtMaxAllowedRAM_, 2, 0);
    layout->addWidget(upDown1_, 2, 1);
    layout->addWidget(lblMaxRAM_, 2, 2);
    layout->setHorizontalSpacing(2);
    layout->setColumnMinimumWidth(1, 22);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtMaxAllowedFile_, &QLineEdit::textChanged, this,
            &MemoryDialog::txtMaxAllowedFileChange);
    connect(txtMaxAllowedRAM_, &QLineEdit::textChanged, this,
            &MemoryDialog::txtMaxAllowedRAMChange);
    connect(okButton_, &QPushButton::clicked, this, &MemoryDialog::OkButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void MemoryDialog::showEvent(QShowEvent* event) {
    OnActivate();
    QDialog::showEvent(event);
}

void MemoryDialog::OnActivate() {
    setWindowTitle(SlotText(slot::kMemoryUsage));
    lblMaxAllowedRAM_->setText(SlotText(slot::kMemoryAtLeast));
    lblMaxFile_->setText(SlotText(slot::kMemoryOfFile));
    lblMaxRAM_->setText(SlotText(slot::kMemoryOfRam));
    okButton_->setText(SlotText(slot::kSave));
    cancelButton_->setText(SlotText(slot::kCancel));

    acceptedMaxFromFile_ = store_.Read(settings::MaxFromFile);
    acceptedMaxFromRAM_ = store_.Read(settings::MaxFromRAM);
    // The rules run once each even when a field already shows the stored
    // number, so the edited pair always starts from what was read.
    {
        const QSignalBlocker fileBlocker(txtMaxAllowedFile_);
        const QSignalBlocker ramBlocker(txtMaxAllowedRAM_);
        txtMaxAllowedFile_->setText(QString::number(acceptedMaxFromFile_));
        txtMaxAllowedRAM_->setText(QString::number(acceptedMaxFromRAM_));
    }
    txtMaxAllowedFileChange();
    txtMaxAllowedRAMChange();
}

void MemoryDialog::txtMaxAllowedFileChange() {
    editedMaxFromFile_ = KeepInBounds(txtMaxAllowedFile_, settings::MaxFromFile);
}

void MemoryDialog::txtMaxAllowedRAMChange() {
    editedMaxFromRAM_ = KeepInBounds(txtMaxAllowedRAM_, settings::MaxFromRAM);
}

void MemoryDialog::OkButtonClick() {
    acceptedMaxFromFile_ = editedMaxFromFile_;
    acceptedMaxFromRAM_ = editedMaxFromRAM_;
    store_.Write(settings::MaxFromRAM, acceptedMaxFromRAM_);
    store_.Write(settings::MaxFromFile, acceptedMaxFromFile_);
    accept();
}

}  // namespace brelker

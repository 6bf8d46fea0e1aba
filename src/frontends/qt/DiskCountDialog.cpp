#include "qt/DiskCountDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/DiskCountModel.h"
#include "qt/WidgetTexts.h"
#include "text/Slots.h"

namespace brelker {

DiskCountDialog::DiskCountDialog(DiskCountModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      question_(Named(new QLabel(this), "ChooseDiskNr")),
      numberField_(Named(new QSpinBox(this), "txtNr")),
      okButton_(Named(new QPushButton(QStringLiteral("OK"), this), "OKBtn")) {
    setObjectName(QStringLiteral("TfrmDisk"));
    setWindowTitle(QStringLiteral("#"));
    setModal(true);
    // The field and its arrows are one spin box: its bounds are the model's.
    numberField_->setRange(DiskCountModel::kFewestDisks, DiskCountModel::kMostDisks);
    numberField_->setWrapping(false);
    okButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_);
    layout->addWidget(numberField_);
    layout->addWidget(okButton_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(numberField_, &QSpinBox::valueChanged, this,
            [this](int number) { model_.SetNumber(number); });
    connect(okButton_, &QPushButton::clicked, this, &DiskCountDialog::OkClicked);
}

void DiskCountDialog::showEvent(QShowEvent* event) {
    question_->setText(SlotText(slot::kEnterDiskCount));
    numberField_->setValue(model_.Number());
    numberField_->setFocus();
    numberField_->selectAll();
    QDialog::showEvent(event);
}

void DiskCountDialog::OkClicked() {
    // A number typed but not yet taken by the field counts as well.
    numberField_->interpretText();
    model_.SetNumber(numberField_->value());
    accept();
}

}  // namespace brelker

#include "engine/DiskCountDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "text/Slots.h"
#include "text/WidgetTexts.h"

namespace brelker {

DiskCountDialog::DiskCountDialog(QWidget* parent)
    : QDialog(parent),
      chooseDiskNr_(new QLabel(this)),
      txtNr_(new QSpinBox(this)),
      okBtn_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TfrmDisk"));
    setWindowTitle(QStringLiteral("#"));
    setModal(true);
    chooseDiskNr_->setObjectName(QStringLiteral("ChooseDiskNr"));
    // The edit and its up-down are one spin box: its bounds are the up-down's.
    txtNr_->setObjectName(QStringLiteral("txtNr"));
    txtNr_->setRange(1, kMostDisks);
    txtNr_->setValue(1);
    txtNr_->setWrapping(false);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooseDiskNr_);
    layout->addWidget(txtNr_);
    layout->addWidget(okBtn_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okBtn_, &QPushButton::clicked, this, &DiskCountDialog::OKBtnClick);
}

void DiskCountDialog::showEvent(QShowEvent* event) {
    chooseDiskNr_->setText(SlotText(slot::kEnterDiskCount));
    txtNr_->setFocus();
    txtNr_->selectAll();
    QDialog::showEvent(event);
}

void DiskCountDialog::OKBtnClick() {
    txtNr_->interpretText();
    diskCount_ = txtNr_->value();
    accept();
}

}  // namespace brelker

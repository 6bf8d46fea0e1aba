#include "qt/SuffixDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/SuffixModel.h"
#include "qt/WidgetTexts.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

SuffixDialog::SuffixDialog(SuffixModel& model, SuffixWarning warning, QWidget* parent)
    : QDialog(parent),
      model_(model),
      warning_(std::move(warning)),
      promptLabel_(Named(new QLabel(this), "lblFtype")),
      suffixField_(Named(new QLineEdit(this), "txtFtype")),
      okButton_(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")) {
    setObjectName(QStringLiteral("TFrmFileType"));
    setModal(true);
    promptLabel_->setBuddy(suffixField_);
    okButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel_);
    layout->addWidget(suffixField_);
    layout->addWidget(okButton_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(suffixField_, &QLineEdit::textChanged, this, &SuffixDialog::SuffixTyped);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void SuffixDialog::showEvent(QShowEvent* event) {
    setWindowTitle(SlotText(slot::kChangeSuffix));
    promptLabel_->setText(SlotText(slot::kChooseSuffix));
    {
        const QSignalBlocker blocker(suffixField_);
        suffixField_->setText(Q(model_.Text()));
    }
    // Checked also when the stored text is what the field already held, so a
    // stored suffix that could not be typed is warned of as well.
    CheckSuffix();
    QDialog::showEvent(event);
}

void SuffixDialog::SuffixTyped() {
    model_.SetText(suffixField_->text().toStdString());
    CheckSuffix();
}

void SuffixDialog::CheckSuffix() {
    if (model_.HasForbiddenCharacter()) {
        warning_(ForbiddenCharsMessage(), Text(slot::kInvalidCharacter));
    }
    okButton_->setEnabled(model_.OkEnabled());
}

}  // namespace brelker

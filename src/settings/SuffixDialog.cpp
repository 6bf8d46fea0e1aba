#include "settings/SuffixDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

// The warning lists every forbidden character, each after a blank.
std::string ForbiddenCharsMessage() {
    std::string text = Text(slot::kForbiddenCharacters);
    for (const char forbidden : ForbiddenSuffixChars) {
        text += ' ';
        text += forbidden;
    }
    return text;
}

}  // namespace

SuffixDialog::SuffixDialog(const SettingsStore& store, SuffixWarning warning, QWidget* parent)
    : QDialog(parent),
      store_(store),
      warning_(std::move(warning)),
      lblFtype_(Named(new QLabel(this), "lblFtype")),
      txtFtype_(Named(new QLineEdit(this), "txtFtype")),
      okBtn_(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")) {
    setObjectName(QStringLiteral("TFrmFileType"));
    setModal(true);
    lblFtype_->setBuddy(txtFtype_);
    okBtn_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFtype_);
    layout->addWidget(txtFtype_);
    layout->addWidget(okBtn_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtFtype_, &QLineEdit::textChanged, this, &SuffixDialog::OnChange);
    connect(okBtn_, &QPushButton::clicked, this, &SuffixDialog::OkBtnClick);
}

void SuffixDialog::showEvent(QShowEvent* event) {
    OnActivate();
    QDialog::showEvent(event);
}

void SuffixDialog::OnActivate() {
    setWindowTitle(SlotText(slot::kChangeSuffix));
    lblFtype_->setText(SlotText(slot::kChooseSuffix));
    {
        const QSignalBlocker blocker(txtFtype_);
        txtFtype_->setText(QString::fromStdString(store_.Read(settings::AddedFileType)));
    }
    // Run the check even when the stored text is what the field already held,
    // so OK is enabled exactly when the shown text may be stored.
    OnChange();
}

void SuffixDialog::OnChange() {
    if (txtFtype_->text().toStdString().find_first_of(ForbiddenSuffixChars) != std::string::npos) {
        warning_(ForbiddenCharsMessage(), Text(slot::kInvalidCharacter));
        okBtn_->setEnabled(false);
    } else {
        okBtn_->setEnabled(true);
    }
}

void SuffixDialog::OkBtnClick() {
    std::string suffix = txtFtype_->text().toStdString();
    if (suffix.empty()) {
        suffix = settings::AddedFileType.defaultValue;
    }
    store_.Write(settings::AddedFileType, suffix);
    accept();
}

}  // namespace brelker

#include "qt/ExtractDialog.h"

#include <string>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/ExtractModel.h"
#include "qt/WidgetTexts.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

QLabel* WrappedLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    label->setWordWrap(true);
    // A fixed width lets the warnings wrap to the same shape in every language.
    label->setFixedWidth(380);
    return label;
}

// A number the model decided is shown without counting as a keystroke.
void ShowNumber(QLineEdit* field, const std::string& number) {
    const QSignalBlocker blocker(field);
    field->setText(Q(number));
}

// Checks one of a pair without its signal: the caller shows the model's state itself.
void Check(QRadioButton* on, QRadioButton* off, bool checked) {
    QRadioButton* button = checked ? on : off;
    const QSignalBlocker blocker(button);
    button->setChecked(true);
}

}  // namespace

ExtractDialog::ExtractDialog(ExtractModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      extractionBox_(Named(new QGroupBox(this), "GroupBox1")),
      extractionExplained_(WrappedLabel("Label1", extractionBox_)),
      extractOn_(Named(new QRadioButton(extractionBox_), "rbActivate")),
      extractOff_(Named(new QRadioButton(extractionBox_), "rbDeactivate")),
      skipLabel_(Named(new QLabel(extractionBox_), "Label2")),
      skipField_(Named(new QLineEdit(extractionBox_), "edtSkip")),
      countLabel_(Named(new QLabel(extractionBox_), "Label3")),
      countField_(Named(new QLineEdit(extractionBox_), "edtExtract")),
      appendingBox_(Named(new QGroupBox(this), "GroupBox2")),
      appendingExplained_(WrappedLabel("Label4", appendingBox_)),
      appendOn_(Named(new QRadioButton(appendingBox_), "rbAppend")),
      appendOff_(Named(new QRadioButton(appendingBox_), "rbNotAppend")),
      okButton_(Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1")) {
    setObjectName(QStringLiteral("TfrmExtract"));
    setModal(true);
    skipLabel_->setBuddy(skipField_);
    countLabel_->setBuddy(countField_);
    okButton_->setDefault(true);

    auto* extraction = new QVBoxLayout(extractionBox_);
    extraction->addWidget(extractionExplained_);
    auto* extractionChoice = new QHBoxLayout;
    extractionChoice->addWidget(extractOn_);
    extractionChoice->addWidget(extractOff_);
    extractionChoice->addStretch();
    extraction->addLayout(extractionChoice);
    extraction->addWidget(skipLabel_);
    extraction->addWidget(skipField_);
    extraction->addWidget(countLabel_);
    extraction->addWidget(countField_);

    auto* appending = new QVBoxLayout(appendingBox_);
    appending->addWidget(appendingExplained_);
    auto* appendingChoice = new QHBoxLayout;
    appendingChoice->addWidget(appendOn_);
    appendingChoice->addWidget(appendOff_);
    appendingChoice->addStretch();
    appending->addLayout(appendingChoice);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(extractionBox_);
    layout->addWidget(appendingBox_);
    layout->addWidget(okButton_, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(skipField_, &QLineEdit::textChanged, this, &ExtractDialog::SkipTyped);
    connect(countField_, &QLineEdit::textChanged, this, &ExtractDialog::CountTyped);
    // Each pair of buttons is one switch: the one that becomes checked sets it.
    connect(extractOn_, &QRadioButton::toggled, this, &ExtractDialog::ExtractionSwitched);
    connect(appendOn_, &QRadioButton::toggled, this,
            [this](bool on) { model_.SetAppendActive(on); });
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void ExtractDialog::showEvent(QShowEvent* event) {
    ShowTexts();
    ShowRange();
    Check(extractOn_, extractOff_, model_.ExtractActive());
    Check(appendOn_, appendOff_, model_.AppendActive());
    ShowRangeEditable();
    if (model_.RangeEditable()) {
        skipField_->setFocus();
    }
    QDialog::showEvent(event);
}

void ExtractDialog::ShowTexts() {
    setWindowTitle(SlotText(slot::kExtractOrAppend));
    extractionBox_->setTitle(SlotText(slot::kExtraction));
    extractionExplained_->setText(SlotText(slot::kExtractExplained));
    extractOn_->setText(SlotText(slot::kActivate));
    extractOff_->setText(SlotText(slot::kDeactivate));
    skipLabel_->setText(SlotText(slot::kSkippedBytes));
    countLabel_->setText(SlotText(slot::kExtractedBytes));
    appendingBox_->setTitle(SlotText(slot::kAppending));
    appendingExplained_->setText(SlotText(slot::kAppendExplained));
    appendOn_->setText(SlotText(slot::kActivate));
    appendOff_->setText(SlotText(slot::kDeactivate));
}

void ExtractDialog::SkipTyped() {
    model_.SetSkipText(skipField_->text().toStdString());
    ShowRange();
}

void ExtractDialog::CountTyped() {
    model_.SetCountText(countField_->text().toStdString());
    ShowRange();
}

void ExtractDialog::ExtractionSwitched(bool on) {
    model_.SetExtractActive(on);
    ShowRangeEditable();
    if (on) {
        skipField_->setFocus();
    }
}

void ExtractDialog::ShowRange() {
    ShowNumber(countField_, model_.CountText());
    ShowNumber(skipField_, model_.SkipText());
}

// Switched-off fields take the dialog's own background, so they visibly
// recede besides being disabled; editable ones the usual field background.
void ExtractDialog::ShowRangeEditable() {
    const bool editable = model_.RangeEditable();
    const QPalette& own = palette();
    const QColor background = editable ? own.color(QPalette::Active, QPalette::Base)
                                       : own.color(QPalette::Active, QPalette::Window);
    for (QLineEdit* field : {skipField_, countField_}) {
        field->setEnabled(editable);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, background);
        field->setPalette(colours);
    }
}

}  // namespace brelker

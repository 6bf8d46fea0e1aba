#include "settings/ExtractDialog.h"

#include <utility>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "engine/Job.h"
#include "platform/Decimal.h"
#include "settings/ExtractRange.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

QLabel* WrappedLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    label->setWordWrap(true);
    // A fixed width lets the warnings wrap to the same shape in every language.
    label->setFixedWidth(380);
    return label;
}

// Checks a radio button without its signal, so the caller runs its click rule
// exactly once, also when the button was checked already.
void Check(QRadioButton* button) {
    const QSignalBlocker blocker(button);
    button->setChecked(true);
}

}  // namespace

ExtractDialog::ExtractDialog(Job& job, QWidget* parent)
    : QDialog(parent),
      job_(job),
      groupBox1_(Named(new QGroupBox(this), "GroupBox1")),
      label1_(WrappedLabel("Label1", groupBox1_)),
      rbActivate_(Named(new QRadioButton(groupBox1_), "rbActivate")),
      rbDeactivate_(Named(new QRadioButton(groupBox1_), "rbDeactivate")),
      label2_(Named(new QLabel(groupBox1_), "Label2")),
      edtSkip_(Named(new QLineEdit(groupBox1_), "edtSkip")),
      label3_(Named(new QLabel(groupBox1_), "Label3")),
      edtExtract_(Named(new QLineEdit(groupBox1_), "edtExtract")),
      groupBox2_(Named(new QGroupBox(this), "GroupBox2")),
      label4_(WrappedLabel("Label4", groupBox2_)),
      rbAppend_(Named(new QRadioButton(groupBox2_), "rbAppend")),
      rbNotAppend_(Named(new QRadioButton(groupBox2_), "rbNotAppend")),
      bitBtn1_(Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1")) {
    setObjectName(QStringLiteral("TfrmExtract"));
    setModal(true);
    label2_->setBuddy(edtSkip_);
    label3_->setBuddy(edtExtract_);
    bitBtn1_->setDefault(true);

    auto* extraction = new QVBoxLayout(groupBox1_);
    extraction->addWidget(label1_);
    auto* extractionChoice = new QHBoxLayout;
    extractionChoice->addWidget(rbActivate_);
    extractionChoice->addWidget(rbDeactivate_);
    extractionChoice->addStretch();
    extraction->addLayout(extractionChoice);
    extraction->addWidget(label2_);
    extraction->addWidget(edtSkip_);
    extraction->addWidget(label3_);
    extraction->addWidget(edtExtract_);

    auto* appending = new QVBoxLayout(groupBox2_);
    appending->addWidget(label4_);
    auto* appendingChoice = new QHBoxLayout;
    appendingChoice->addWidget(rbAppend_);
    appendingChoice->addWidget(rbNotAppend_);
    appendingChoice->addStretch();
    appending->addLayout(appendingChoice);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox1_);
    layout->addWidget(groupBox2_);
    layout->addWidget(bitBtn1_, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(edtSkip_, &QLineEdit::textChanged, this, &ExtractDialog::edtSkipChange);
    connect(edtExtract_, &QLineEdit::textChanged, this, &ExtractDialog::edtExtractChange);
    // A radio button's rule runs when it becomes the checked one.
    const std::pair<QRadioButton*, void (ExtractDialog::*)()> rules[] = {
        {rbActivate_, &ExtractDialog::rbActivateClick},
        {rbDeactivate_, &ExtractDialog::rbDeactivateClick},
        {rbAppend_, &ExtractDialog::rbAppendClick},
        {rbNotAppend_, &ExtractDialog::rbNotAppendClick},
    };
    for (const auto& [button, rule] : rules) {
        connect(button, &QRadioButton::toggled, this, [this, rule](bool on) {
            if (on) {
                (this->*rule)();
            }
        });
    }
    connect(bitBtn1_, &QPushButton::clicked, this, &ExtractDialog::BitBtn1Click);
}

void ExtractDialog::showEvent(QShowEvent* event) {
    OnActivate();
    QDialog::showEvent(event);
}

void ExtractDialog::OnActivate() {
    setWindowTitle(SlotText(slot::kExtractOrAppend));
    groupBox1_->setTitle(SlotText(slot::kExtraction));
    label1_->setText(SlotText(slot::kExtractExplained));
    rbActivate_->setText(SlotText(slot::kActivate));
    rbDeactivate_->setText(SlotText(slot::kDeactivate));
    label2_->setText(SlotText(slot::kSkippedBytes));
    label3_->setText(SlotText(slot::kExtractedBytes));
    groupBox2_->setTitle(SlotText(slot::kAppending));
    label4_->setText(SlotText(slot::kAppendExplained));
    rbAppend_->setText(SlotText(slot::kActivate));
    rbNotAppend_->setText(SlotText(slot::kDeactivate));

    extractSkip_ = job_.ExtractSkip;
    extractCount_ = job_.ExtractCount;
    extractLimit_ = job_.ExtractLimit;
    extractActive_ = job_.ExtractActive;
    appendActive_ = job_.AppendActive;
    // The job's own numbers are shown as they are, even outside the file.
    ShowNumber(edtSkip_, extractSkip_);
    ShowNumber(edtExtract_, extractCount_);

    if (extractActive_) {
        Check(rbActivate_);
        rbActivateClick();
    } else {
        Check(rbDeactivate_);
        rbDeactivateClick();
    }
    if (appendActive_) {
        Check(rbAppend_);
        rbAppendClick();
    } else {
        Check(rbNotAppend_);
        rbNotAppendClick();
    }
}

void ExtractDialog::ShowNumber(QLineEdit* edit, std::int64_t value) {
    normaliseOnChange_ = false;
    edit->setText(QString::number(value));
    // Setting the text a field already shows signals no change, so the switch
    // is turned on here as well as by the change handlers.
    normaliseOnChange_ = true;
}

void ExtractDialog::edtSkipChange() {
    if (normaliseOnChange_) {
        NormaliseExtractRange();
    }
    normaliseOnChange_ = true;
}

void ExtractDialog::edtExtractChange() {
    if (normaliseOnChange_) {
        NormaliseExtractRange();
    }
    normaliseOnChange_ = true;
}

void ExtractDialog::NormaliseExtractRange() {
    const ExtractRange range = brelker::NormaliseExtractRange(
        DecimalToInt64(edtSkip_->text().toStdString()),
        DecimalToInt64(edtExtract_->text().toStdString()), extractLimit_);
    extractSkip_ = range.skip;
    extractCount_ = range.count;
    ShowNumber(edtExtract_, extractCount_);
    ShowNumber(edtSkip_, extractSkip_);
}

void ExtractDialog::rbActivateClick() {
    SetEditsActive(true);
    extractActive_ = true;
    edtSkip_->setFocus();
}

void ExtractDialog::rbDeactivateClick() {
    SetEditsActive(false);
    extractActive_ = false;
}

void ExtractDialog::rbAppendClick() { appendActive_ = true; }

void ExtractDialog::rbNotAppendClick() { appendActive_ = false; }

// Switched-off fields take the dialog's own background, so they visibly
// recede besides being disabled; active ones the usual field background.
void ExtractDialog::SetEditsActive(bool active) {
    const QPalette& own = palette();
    const QColor background = active ? own.color(QPalette::Active, QPalette::Base)
                                     : own.color(QPalette::Active, QPalette::Window);
    for (QLineEdit* edit : {edtSkip_, edtExtract_}) {
        edit->setEnabled(active);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, background);
        edit->setPalette(colours);
    }
}

void ExtractDialog::BitBtn1Click() {
    job_.ExtractSkip = extractSkip_;
    job_.ExtractCount = extractCount_;
    job_.ExtractLimit = extractLimit_;
    job_.ExtractActive = extractActive_;
    job_.AppendActive = appendActive_;
    accept();
}

}  // namespace brelker

#pragma once

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brelker {

struct Job;

// Extraction (split only a byte range of the big file) and appending (join
// onto the end of an existing big file). The dialog edits a copy of the job's
// five fields; only OK puts the copy back.
class ExtractDialog : public QDialog {
    Q_OBJECT

public:
    explicit ExtractDialog(Job& job, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnActivate();
    void edtSkipChange();
    void edtExtractChange();
    void NormaliseExtractRange();
    void rbActivateClick();
    void rbDeactivateClick();
    void rbAppendClick();
    void rbNotAppendClick();
    void BitBtn1Click();

    // Shows a number the dialog itself decided, which is not normalised again.
    void ShowNumber(QLineEdit* edit, std::int64_t value);
    void SetEditsActive(bool active);

    Job& job_;
    QGroupBox* groupBox1_;
    QLabel* label1_;
    QRadioButton* rbActivate_;
    QRadioButton* rbDeactivate_;
    QLabel* label2_;
    QLineEdit* edtSkip_;
    QLabel* label3_;
    QLineEdit* edtExtract_;
    QGroupBox* groupBox2_;
    QLabel* label4_;
    QRadioButton* rbAppend_;
    QRadioButton* rbNotAppend_;
    QPushButton* bitBtn1_;

    // The working copy.
    std::int64_t extractSkip_ = 0;
    std::int64_t extractCount_ = 0;
    std::int64_t extractLimit_ = 0;
    bool extractActive_ = false;
    bool appendActive_ = false;
    // Off while the dialog writes a number into a field itself.
    bool normaliseOnChange_ = false;
};

}  // namespace brelker

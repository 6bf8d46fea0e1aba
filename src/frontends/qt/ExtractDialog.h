#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brelker {

class ExtractModel;

// Shows an ExtractModel: the range to extract with its switch, the appending
// switch, and OK; closing it any other way rejects it.
class ExtractDialog : public QDialog {
    Q_OBJECT

public:
    explicit ExtractDialog(ExtractModel& model, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowTexts();
    void SkipTyped();
    void CountTyped();
    void ExtractionSwitched(bool on);
    // The numbers and the fields' state as the model has them.
    void ShowRange();
    void ShowRangeEditable();

    ExtractModel& model_;
    QGroupBox* extractionBox_;
    QLabel* extractionExplained_;
    QRadioButton* extractOn_;
    QRadioButton* extractOff_;
    QLabel* skipLabel_;
    QLineEdit* skipField_;
    QLabel* countLabel_;
    QLineEdit* countField_;
    QGroupBox* appendingBox_;
    QLabel* appendingExplained_;
    QRadioButton* appendOn_;
    QRadioButton* appendOff_;
    QPushButton* okButton_;
};

}  // namespace brelker

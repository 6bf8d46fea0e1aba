#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace brelker {

class DiskCountModel;

// Shows a DiskCountModel: the question, the number with its arrows, and OK.
class DiskCountDialog : public QDialog {
    Q_OBJECT

public:
    explicit DiskCountDialog(DiskCountModel& model, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClicked();

    DiskCountModel& model_;
    QLabel* question_;
    QSpinBox* numberField_;
    QPushButton* okButton_;
};

}  // namespace brelker

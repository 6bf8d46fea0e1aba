#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace brelker {

// Asks how many disks a series spans when the pieces cannot be counted on disk.
// One instance lives for the whole run and shows the number last confirmed.
class DiskCountDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMostDisks = 32760;

    explicit DiskCountDialog(QWidget* parent = nullptr);

    // The number last confirmed with OK (0 before the first confirmation).
    int DiskCount() const { return diskCount_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OKBtnClick();

    QLabel* chooseDiskNr_;
    QSpinBox* txtNr_;
    QPushButton* okBtn_;
    int diskCount_ = 0;
};

}  // namespace brelker

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brelker {

class SettingsStore;
class UpDown;

// How much memory a split or join may take for its buffer: a share of the
// piece being copied, capped by a share of the machine's memory.
class MemoryDialog : public QDialog {
    Q_OBJECT

public:
    explicit MemoryDialog(const SettingsStore& store, QWidget* parent = nullptr);

    // The accepted pair: as stored when the dialog opened, or as just saved.
    // The main window takes it over whichever button closed the dialog.
    int MaxFromFile() const { return acceptedMaxFromFile_; }
    int MaxFromRAM() const { return acceptedMaxFromRAM_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnActivate();
    void txtMaxAllowedFileChange();
    void txtMaxAllowedRAMChange();
    void OkButtonClick();

    const SettingsStore& store_;
    QLabel* lblMaxAllowedRAM_;
    QLineEdit* txtMaxAllowedFile_;
    UpDown* upDown2_;
    QLabel* lblMaxFile_;
    QLineEdit* txtMaxAllowedRAM_;
    UpDown* upDown1_;
    QLabel* lblMaxRAM_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    int acceptedMaxFromFile_ = 0;
    int acceptedMaxFromRAM_ = 0;
    // The values last typed, each already brought into its bounds.
    int editedMaxFromFile_ = 0;
    int editedMaxFromRAM_ = 0;
};

}  // namespace brelker

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace brelker {

class SettingsStore;

// The base size editor. Every button writes to the store at once; there is no
// OK or Cancel, the dialog is closed with its close box.
class BaseSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit BaseSizeDialog(const SettingsStore& store, QWidget* parent = nullptr);

    void RefreshBaseSizeList();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnActivate();
    void ListBox1Click(int row);
    void txtDescriptionChange();
    void txtSizeChange();
    void UpdateBtnClick();
    void DeleteBtnClick();
    void NewBtnClick();
    void EnableByEdits();

    const SettingsStore& store_;
    QLabel* lblList_;
    QListWidget* listBox1_;
    QLabel* lblDescription_;
    QLineEdit* txtDescription_;
    QLabel* lblSize_;
    QLineEdit* txtSize_;
    QPushButton* updateBtn_;
    QPushButton* deleteBtn_;
    QPushButton* newBtn_;
    // Entries as last read from the store, and the one loaded into the edits (-1: none).
    int count_ = 0;
    int SelectedEntry = -1;
};

}  // namespace brelker

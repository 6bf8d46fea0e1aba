#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brelker {

class MemoryModel;
class UpDown;

// Shows a MemoryModel: a field with arrows for each share, Save and Cancel.
class MemoryDialog : public QDialog {
    Q_OBJECT

public:
    explicit MemoryDialog(MemoryModel& model, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowTexts();
    // Hands a field's text to the model and shows what the model made of it.
    void FileShareTyped();
    void RamShareTyped();

    MemoryModel& model_;
    QLabel* headline_;
    QLineEdit* fileShareField_;
    UpDown* fileShareArrows_;
    QLabel* fileShareLabel_;
    QLineEdit* ramShareField_;
    UpDown* ramShareArrows_;
    QLabel* ramShareLabel_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
};

}  // namespace brelker

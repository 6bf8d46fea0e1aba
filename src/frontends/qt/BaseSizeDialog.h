#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace brelker {

class BaseSizeModel;

// Shows a BaseSizeModel: the list, the two edits, Modify, Delete and New, and
// Close, as every edit is stored at once.
class BaseSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit BaseSizeDialog(BaseSizeModel& model, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowTexts();
    void EntryChosen(int row);
    // After an edit of the store: the list read anew, the edits emptied.
    void ShowEverything();
    void ShowEdits();
    void ShowButtons();

    BaseSizeModel& model_;
    QLabel* listLabel_;
    QListWidget* entryList_;
    QLabel* descriptionLabel_;
    QLineEdit* descriptionField_;
    QLabel* sizeLabel_;
    QLineEdit* sizeField_;
    QPushButton* modifyButton_;
    QPushButton* deleteButton_;
    QPushButton* newButton_;
    QPushButton* closeButton_;
};

}  // namespace brelker

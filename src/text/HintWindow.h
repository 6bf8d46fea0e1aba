#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace brelker {

class HelpFileModel;

// The How It Works window, showing a HelpFileModel: the manual as a list, and
// a button that hands the same lines to the text viewer as a file. One
// instance lives for the whole run and is shown without blocking the main window.
class HintWindow : public QWidget {
    Q_OBJECT

public:
    explicit HintWindow(HelpFileModel& model, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowManual();
    void FitToLines();
    void ShowAsFileClicked();

    HelpFileModel& model_;
    QListWidget* manualList_;
    QPushButton* onFileButton_;
};

}  // namespace brelker

#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace brelker {

class FileOpener;
class HelpFileModel;

// The How It Works window, showing a HelpFileModel: the manual as a list, and
// a button that hands the same lines as a file to the desktop's handler, when
// one is given, or else to the text viewer. One instance lives for the whole
// run and is shown without blocking the main window.
class HintWindow : public QWidget {
    Q_OBJECT

public:
    explicit HintWindow(HelpFileModel& model, FileOpener* desktop = nullptr,
                        QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowManual();
    void FitToLines();
    void ShowAsFileClicked();

    HelpFileModel& model_;
    FileOpener* desktop_;
    QListWidget* manualList_;
    QPushButton* onFileButton_;
};

}  // namespace brelker

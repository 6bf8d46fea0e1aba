#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace brelker {

class Platform;

// The How It Works window: the manual as a list, and a button that hands the
// same lines to the text viewer as a file. One instance lives for the whole
// run and is shown without blocking the main window.
class HintWindow : public QWidget {
    Q_OBJECT

public:
    explicit HintWindow(Platform& platform, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnActivate();
    void FitToLines();
    void OnFileBtnClick();

    Platform& platform_;
    QListWidget* listBox1_;
    QPushButton* onFileBtn_;
};

}  // namespace brelker

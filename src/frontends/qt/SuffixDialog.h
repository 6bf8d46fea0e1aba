#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brelker {

class SuffixModel;

// Shows a warning: the message text and the box's caption.
using SuffixWarning = std::function<void(const std::string& text, const std::string& caption)>;

// Shows a SuffixModel: the suffix's field and OK; closing it any other way
// rejects it.
class SuffixDialog : public QDialog {
    Q_OBJECT

public:
    // The warning is the owner's message box, so a test can answer it.
    SuffixDialog(SuffixModel& model, SuffixWarning warning, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SuffixTyped();
    // Warns of a forbidden character and enables OK as the model decides.
    void CheckSuffix();

    SuffixModel& model_;
    SuffixWarning warning_;
    QLabel* promptLabel_;
    QLineEdit* suffixField_;
    QPushButton* okButton_;
};

}  // namespace brelker

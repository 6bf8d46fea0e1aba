#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brelker {

class SettingsStore;

// Characters no file name may hold on the systems the pieces travel to; a
// suffix with one of them would make every piece name invalid.
inline constexpr std::string_view ForbiddenSuffixChars = "\\/:*?\"<>|";

// Shows a warning: the message text and the box's caption.
using SuffixWarning = std::function<void(const std::string& text, const std::string& caption)>;

// The piece-name suffix: the text between the big file's name and the running
// number of each piece. OK stores it; any other way out stores nothing.
class SuffixDialog : public QDialog {
    Q_OBJECT

public:
    // The warning is the owner's message box, so a test can answer it.
    SuffixDialog(const SettingsStore& store, SuffixWarning warning, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnActivate();
    void OnChange();
    void OkBtnClick();

    const SettingsStore& store_;
    SuffixWarning warning_;
    QLabel* lblFtype_;
    QLineEdit* txtFtype_;
    QPushButton* okBtn_;
};

}  // namespace brelker

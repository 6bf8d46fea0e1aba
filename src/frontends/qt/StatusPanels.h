#pragma once

#include <QWidget>

namespace brelker {

class ElidedLabel;

// The status bar's two panels: 0 at the left for hints and the file being
// worked on, 1 at the right for the state of the work. Their height is two
// lines whatever they show, so that the window never jumps; a long text wraps
// onto the second line and is shortened beyond it, whole in its tooltip.
// Panel 1 is as wide as its text needs, up to three fifths of the bar, and
// panel 0 takes the rest.
class StatusPanels : public QWidget {
    Q_OBJECT

public:
    explicit StatusPanels(QWidget* parent);

    ElidedLabel* Panel(int panel) const { return panel == 0 ? hints_ : state_; }
    // Panel 0 names a file on one line, shortened in the middle so that its
    // end stays in sight; a hint wraps.
    void ShowNote(const QString& text);
    void ShowHint(const QString& text);
    void ShowState(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Arrange();

    ElidedLabel* hints_;
    ElidedLabel* state_;
};

}  // namespace brelker

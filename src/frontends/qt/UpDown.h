#pragma once

#include <QWidget>

class QLineEdit;

namespace brelker {

// The arrows beside a number field: a step up or down within fixed bounds,
// written into the field's own text. The field stays the one place the number
// lives, so the field's change rule sees every step like a keystroke.
class UpDown : public QWidget {
    Q_OBJECT

public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    // One step, stopping at the bounds.
    void StepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
    int minimum_;
    int maximum_;
};

}  // namespace brelker

#pragma once

#include <QLabel>

namespace brelker {

// A one-line label that never asks for more width than the window can give: a
// text too long for it is drawn shortened with "…" (in the middle for paths,
// so that the file name stays in sight) and shown whole as its tooltip. text()
// is always the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    ElidedLabel(Qt::TextElideMode mode, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The text as it is drawn at the label's present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    Qt::TextElideMode mode_;
};

}  // namespace brelker

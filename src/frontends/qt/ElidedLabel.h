#pragma once

#include <QLabel>

namespace brelker {

// A label that never asks for more width than the window can give: a text too
// long for it is drawn shortened with "…" (in the middle for paths, so that
// the file name and its number stay in sight) and shown whole as its tooltip;
// or, wrapping, it is broken into as many lines as the label's height holds,
// the last of them shortened at its end should the text need more. text() is
// always the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    ElidedLabel(Qt::TextElideMode mode, QWidget* parent);

    // Shows text shortened at mode on one line, or wrapped onto the lines it has.
    void ShowShortened(const QString& text, Qt::TextElideMode mode);
    void ShowWrapped(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The text as it is drawn at the label's present width, lines broken by "\n".
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    Qt::TextElideMode mode_;
    bool wrapping_ = false;
};

}  // namespace brelker

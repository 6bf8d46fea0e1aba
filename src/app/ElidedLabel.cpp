#include "app/ElidedLabel.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>

namespace brelker {
namespace {

// Width a label asks for at most: about a short path. The layout may give it
// more, and a longer text is shortened rather than widening the window.
constexpr int kPreferredCharacters = 40;

constexpr int kWrapFlags = Qt::TextWordWrap;

}  // namespace

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {}

void ElidedLabel::ShowShortened(const QString& text, Qt::TextElideMode mode) {
    const bool changed = wrapping_ || mode != mode_;
    wrapping_ = false;
    mode_ = mode;
    setText(text);
    if (changed) {
        updateGeometry();
        update();
    }
}

void ElidedLabel::ShowWrapped(const QString& text) {
    wrapping_ = true;
    setText(text);
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    hint.setWidth(std::min(hint.width(), fontMetrics().averageCharWidth() * kPreferredCharacters));
    if (wrapping_) {
        hint.setHeight(std::max(hint.height(), WrappedHeight()));
    }
    return hint;
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize hint = QLabel::minimumSizeHint();
    hint.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("W…W")));
    if (wrapping_) {
        hint.setHeight(std::max(hint.height(), WrappedHeight()));
    }
    return hint;
}

// The height of the text broken into lines at the label's width, with its margins.
int ElidedLabel::WrappedHeight() const {
    const int room = std::max(contentsRect().width() - 2 * margin(), 1);
    const QRect lines = fontMetrics().boundingRect(QRect(0, 0, room, 1 << 16), kWrapFlags, text());
    return lines.height() + (height() - contentsRect().height()) + 2 * margin();
}

QString ElidedLabel::ShownText() const {
    const int room = contentsRect().width() - 2 * margin();
    if (!wrapping_) {
        return fontMetrics().elidedText(text(), mode_, std::max(room, 0));
    }
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(room, 1));
        lines.append(text().mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int alignment = QStyle::visualAlignment(layoutDirection(), this->alignment());
    style()->drawItemText(&painter, area, wrapping_ ? alignment | kWrapFlags : alignment, palette(),
                          isEnabled(), wrapping_ ? text() : ShownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (text().isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text(), this);
        }
        return true;
    }
    return QLabel::event(event);
}

}  // namespace brelker

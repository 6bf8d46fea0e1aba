#include "qt/ElidedLabel.h"

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
    const bool changed = !wrapping_;
    wrapping_ = true;
    setText(text);
    if (changed) {
        update();
    }
}

QSize ElidedLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    hint.setWidth(std::min(hint.width(), fontMetrics().averageCharWidth() * kPreferredCharacters));
    return hint;
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize hint = QLabel::minimumSizeHint();
    hint.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("W…W")));
    return hint;
}

QString ElidedLabel::ShownText() const {
    const int room = std::max(contentsRect().width() - 2 * margin(), 1);
    if (!wrapping_) {
        return fontMetrics().elidedText(text(), mode_, room);
    }
    const int lineCount =
        std::max((contentsRect().height() - 2 * margin()) / fontMetrics().lineSpacing(), 1);
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room);
        if (lines.size() + 1 == lineCount) {
            // The last line there is room for takes the rest, shortened if it must be.
            lines.append(fontMetrics().elidedText(text().mid(line.textStart()).trimmed(),
                                                  Qt::ElideRight, room));
            break;
        }
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
    style()->drawItemText(&painter, area, alignment, palette(), isEnabled(), ShownText(),
                          foregroundRole());
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

#include "app/ElidedLabel.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace brelker {
namespace {

// Width a label asks for at most: about a short path. The layout may give it
// more, and a longer text is shortened rather than widening the window.
constexpr int kPreferredCharacters = 40;

}  // namespace

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {}

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
    const int room = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), mode_, std::max(room, 0));
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), ShownText(), foregroundRole());
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

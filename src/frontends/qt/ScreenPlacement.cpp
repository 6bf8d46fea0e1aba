#include "qt/ScreenPlacement.h"

#include <algorithm>

#include <QEvent>
#include <QLayout>
#include <QRegion>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace brelker {
namespace {

// How much of the top edge must be on a screen for the window to be dragged back.
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 16;

class CentreOnShow : public QObject {
public:
    using QObject::QObject;

    // The dialog takes its show event first: it sets its texts there, and its
    // layout then gives it the size it is shown at. Placed only afterwards, a
    // dialog centred at its size before would grow to the right.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || placing_) {
            return false;
        }
        auto* window = static_cast<QWidget*>(watched);
        placing_ = true;
        watched->event(event);
        placing_ = false;
        if (QLayout* layout = window->layout()) {
            layout->activate();
        }
        const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        const QScreen* screen = parent && parent->isVisible() ? parent->screen() : window->screen();
        if (screen != nullptr) {
            const QRect room = screen->availableGeometry();
            const QRect over = parent && parent->isVisible() ? parent->frameGeometry() : room;
            window->move(CentredOn(window->frameGeometry().size(), over, room));
        }
        return true;
    }

private:
    bool placing_ = false;
};

}  // namespace

QPoint ReachablePosition(const QRect& frame, const QList<QRect>& screens, const QRect& primary,
                         const QPoint& offset) {
    const QRect grip(frame.topLeft(), QSize(frame.width(), kGrabHeight));
    for (const QRect& screen : screens) {
        const QRect onScreen = grip.intersected(screen);
        if (onScreen.width() >= std::min(kGrabWidth, frame.width()) && !onScreen.isEmpty()) {
            return frame.topLeft();
        }
    }
    const QPoint wanted = primary.topLeft() + offset;
    const int left =
        std::max(primary.left(), std::min(wanted.x(), primary.right() + 1 - frame.width()));
    const int top =
        std::max(primary.top(), std::min(wanted.y(), primary.bottom() + 1 - frame.height()));
    return {left, top};
}

QRect WhollyOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& room,
                     const QSize& minimum) {
    QRegion uncovered(frame);
    for (const QRect& screen : screens) {
        uncovered -= screen;
    }
    if (uncovered.isEmpty()) {
        return frame;
    }
    const QSize size(
        frame.width() > room.width() ? std::max(room.width(), minimum.width()) : frame.width(),
        frame.height() > room.height() ? std::max(room.height(), minimum.height())
                                       : frame.height());
    const int left = std::max(room.left(), std::min(frame.left(), room.right() + 1 - size.width()));
    const int top = std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - size.height()));
    return {QPoint(left, top), size};
}

QPoint CentredOn(const QSize& size, const QRect& over, const QRect& room) {
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, over);
    return {std::max(room.left(), std::min(centred.left(), room.right() + 1 - size.width())),
            std::max(room.top(), std::min(centred.top(), room.bottom() + 1 - size.height()))};
}

void CentreOnParentWhenShown(QWidget& window) {
    window.installEventFilter(new CentreOnShow(&window));
}

}  // namespace brelker

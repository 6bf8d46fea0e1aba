#include "app/ScreenPlacement.h"

#include <algorithm>

#include <QEvent>
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

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            if (const QScreen* screen = window->screen()) {
                window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                 window->frameGeometry().size(),
                                                 screen->availableGeometry())
                                 .topLeft());
            }
        }
        return false;
    }
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

void CentreOnScreenWhenShown(QWidget& window) {
    window.installEventFilter(new CentreOnShow(&window));
}

}  // namespace brelker

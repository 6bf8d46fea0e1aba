#include "app/ScreenPlacement.h"

#include <algorithm>

#include <QEvent>
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

void CentreOnScreenWhenShown(QWidget& window) {
    window.installEventFilter(new CentreOnShow(&window));
}

}  // namespace brelker

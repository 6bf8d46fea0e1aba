#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace brelker {

// Where a window of `frame` goes so that the user can reach it: where it is when
// enough of its top edge (where the title bar is grabbed) lies on one of the
// `screens`; otherwise at `offset` from the top left of the `primary` screen,
// kept inside it as far as the window's size allows.
QPoint ReachablePosition(const QRect& frame, const QList<QRect>& screens, const QRect& primary,
                         const QPoint& offset);

// Where a window of `frame` goes so that the user sees all of it: where it is
// when the `screens` (their available areas) cover it; otherwise moved into
// `room` (the available area of its own screen), and shrunk only where it is
// larger than room, though not below `minimum`. A window that cannot become
// small enough starts at room's top left.
QRect WhollyOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& room,
                     const QSize& minimum);

// Where a window of `size` is centred on `over` (its parent's frame), kept
// inside `room`, the available area of that screen, as far as its size allows.
QPoint CentredOn(const QSize& size, const QRect& over, const QRect& room);

// Centres `window` on its parent each time it is shown, at the size it has
// once its texts are set (a dialog sets them as it is shown); without a
// parent on the screen, on the screen.
void CentreOnParentWhenShown(QWidget& window);

}  // namespace brelker

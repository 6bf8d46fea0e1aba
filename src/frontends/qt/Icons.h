#pragma once

#include <QIcon>

namespace brelker {

// The speed bar's pictures, drawn here so that they read well on any desktop,
// with or without an icon theme.
enum class IconKind {
    ChooseBigFile,
    PiecesPlace,
    Split,
    SelfUnit,
    ChoosePiece,
    BigFilePlace,
    Join,
    Verify,
    Stop,
    Exit
};

QIcon SpeedBarIcon(IconKind kind);

}  // namespace brelker

namespace brelker {

// The program's own icon, in every size the desktop may ask for.
QIcon ApplicationIcon();

}  // namespace brelker

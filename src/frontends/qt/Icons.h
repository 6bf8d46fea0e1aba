#pragma once

#include <QIcon>

#include "model/WindowParts.h"

namespace brelker {

// The speed bar's pictures, drawn here so that they read well on any desktop,
// with or without an icon theme.
QIcon SpeedBarIcon(Picture kind);

}  // namespace brelker

namespace brelker {

// The program's own icon, in every size the desktop may ask for.
QIcon ApplicationIcon();

}  // namespace brelker

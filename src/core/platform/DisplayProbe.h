#pragma once

namespace brelker {

// Whether a window system answers where the environment points: the X server
// of $DISPLAY or the Wayland compositor of $WAYLAND_DISPLAY, or the one that
// $QT_QPA_PLATFORM names. A name that leads nowhere (an ssh session's stale
// DISPLAY, a cron job's inherited one) must never reach Qt, which ends the
// process when it cannot connect.
bool DisplayAnswers();

}  // namespace brelker

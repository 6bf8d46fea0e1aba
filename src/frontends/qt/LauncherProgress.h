#pragma once

namespace brelker {

// The progress of the work on the program's icon in the desktop's dock or
// task bar, through the launcher-entry signal of the session bus that KDE's
// and GNOME's docks listen for. Where there is no session bus, or the program
// was built without Qt's D-Bus module, it does nothing.
class LauncherProgress {
public:
    // fraction from 0 to 1.
    void Show(double fraction);
    // Takes the progress off the icon, once it was shown.
    void Hide();

private:
    void Send(double fraction, bool visible);

    bool shown_ = false;
};

}  // namespace brelker

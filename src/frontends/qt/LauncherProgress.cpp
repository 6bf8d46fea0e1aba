#include "qt/LauncherProgress.h"

#ifdef BRELKER_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QVariantMap>
#endif

namespace brelker {

#ifdef BRELKER_HAVE_DBUS
namespace {

// The docks find the icon by the menu entry's name.
constexpr auto kAppUri = "application://org.tolvena.brelker.desktop";

// Without a known session bus, asking for one would start a bus daemon of its
// own on the X display: the progress is not worth a process.
bool SessionBusKnown() {
    return qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") ||
           (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") &&
            QFileInfo::exists(
                QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(QStringLiteral("bus"))));
}

}  // namespace

void LauncherProgress::Send(double fraction, bool visible) {
    static const bool known = SessionBusKnown();
    if (!known) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/tolvena/brelker/progress"),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), fraction);
    properties.insert(QStringLiteral("progress-visible"), visible);
    signal << QString::fromLatin1(kAppUri) << properties;
    bus.send(signal);
}
#else
void LauncherProgress::Send(double, bool) {}
#endif

void LauncherProgress::Show(double fraction) {
    shown_ = true;
    Send(fraction < 0 ? 0.0 : fraction > 1 ? 1.0 : fraction, true);
}

void LauncherProgress::Hide() {
    if (shown_) {
        shown_ = false;
        Send(0.0, false);
    }
}

}  // namespace brelker

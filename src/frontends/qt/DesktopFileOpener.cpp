#include "qt/DesktopFileOpener.h"

#include <QDesktopServices>
#include <QUrl>

#include "qt/WidgetTexts.h"

namespace brelker {

bool DesktopFileOpener::Open(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

}  // namespace brelker

#pragma once

#include <string>
#include <string_view>

#include <QLatin1String>
#include <QString>

#include "text/Hints.h"
#include "text/TextTable.h"

// What every window does with its texts: slots in the current language as Qt
// strings, hints split into tooltip and status-bar text, controls named for
// the tests and the code to find them.
namespace brelker {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

inline QString SlotText(TextSlot slot) { return Q(Text(slot)); }

template <typename Control>
void SetHint(Control* control, const std::string& hint) {
    control->setToolTip(QString::fromStdString(ShortHint(hint)));
    control->setStatusTip(QString::fromStdString(LongHint(hint)));
}

template <typename Control>
void SetHint(Control* control, TextSlot slot) {
    SetHint(control, Text(slot));
}

template <typename Widget>
Widget* Named(Widget* widget, std::string_view name) {
    widget->setObjectName(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
    return widget;
}

}  // namespace brelker

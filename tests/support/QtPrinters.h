#pragma once

#include <ostream>

#include <QString>

// Lets GoogleTest print a QString in a failure message as text rather than as raw bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

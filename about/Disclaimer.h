#pragma once
// The disclaimer the about box and the design report both print, kept in one place.
#include <QString>

inline QString DesignDisclaimer() {
    return QStringLiteral("Design calculations remain the responsibility of the engineer who signs them.");
}

#pragma once
// One printed figure of a benchmark: what was measured, the figure and its unit, and how it was taken
// ("best of 5 runs", "200000 places"). Every benchmark prints its figures through it, so their lines
// read alike and a script can take them apart.
#include <QString>

#include <cstdio>

inline void Report(const QString& what, double value, const char* unit = "ms",
                   const QString& how = QString()) {
    const QString note = how.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(how);
    std::printf("%-64s %10.3f %s%s\n", what.toUtf8().constData(), value, unit, note.toUtf8().constData());
    std::fflush(stdout);
}

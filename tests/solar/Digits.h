#pragma once
// Compares a computed value with a published figure to the digits the figure gives: "40.376" allows
// half a unit of the third decimal either way.
#include <QByteArray>
#include <QString>
#include <QTest>

#include <cmath>

inline bool MatchesDigits(double value, const QByteArray& expected) {
    const int dot = expected.indexOf('.');
    const int decimals = dot < 0 ? 0 : int(expected.size()) - dot - 1;
    const double tolerance = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9);
    return std::fabs(value - expected.toDouble()) <= tolerance;
}

#define QCOMPARE_DIGITS(actual, expected)                                                                    \
    do {                                                                                                     \
        const double actual_ = (actual);                                                                     \
        const QByteArray expected_(expected);                                                                \
        if (!MatchesDigits(actual_, expected_))                                                              \
            QFAIL(qPrintable(QString("%1 is %2, expected %3")                                                \
                                 .arg(#actual)                                                               \
                                 .arg(actual_, 0, 'g', 12)                                                   \
                                 .arg(QString::fromLatin1(expected_))));                                     \
    } while (0)

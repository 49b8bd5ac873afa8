// Feeds arbitrary text to the typed-number path under the C, German and French locales: clean-up,
// reading, pair reading and formatting. Every number read is finite, and a value printed with 17
// significant digits reads back equal. Conversion errors are expected; anything else is a fault.
#include "controls/TxNumText.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckFinite(double value) {
    if (!std::isfinite(value)) std::abort();
}

// Formats a value the ways the program does, and checks the 17-digit text reads back exactly.
void FormatAndReadBack(double value) {
    for (const char* format : {"%0.2f", "%0.4g", "%0.6g", "%3d", "%.2d", "%0.1f/%0.1f"})
        FormatFloat(QString::fromLatin1(format), value);
    DecimalsForSigDigs(4, 12, value);
    const QString exact = FormatFloat(QStringLiteral("%.17g"), value);
    double back = 0;
    if (!TryStrToFloat(exact, back) || back != value) std::abort();
}

void Exercise(const QString& text) {
    double value = 0;
    if (TryStrToFloat(text, value)) {
        CheckFinite(value);
        FormatAndReadBack(value);
    }
    try {
        const QString cleaned = NormalizeNumberText(text);
        if (TryStrToFloat(cleaned, value)) {
            CheckFinite(value);
            FormatAndReadBack(value);
        }
        value = ReadNumberText(text);
        CheckFinite(value);
    } catch (const EConvertError&) {
    }
    double a = 0, b = 0;
    try {
        ParseNumberPair(text, a, b);
        CheckFinite(a);
        CheckFinite(b);
    } catch (const EConvertError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::French, QLocale::France)}) {
        QLocale::setDefault(locale);
        Exercise(text);
    }
    return 0;
}

// Feeds arbitrary bytes to the letterhead decoder: whatever they hold, it gives at most the capped
// number of lines, and none of them carries a line end.
#include "report/LetterheadFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bool cut = false;
    const QStringList lines =
        DecodeLetterhead(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &cut);
    if (lines.size() > MaxLetterheadLines) std::abort();
    for (const QString& line : lines)
        if (line.contains(QLatin1Char('\n'))) std::abort();
    return 0;
}

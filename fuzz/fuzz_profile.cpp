// Feeds arbitrary text to the profile reader and to the delimited-string tokenizer. A profile read in
// full formats and reads back to the same 24 values, and its program format ("%0.1f") is stable under
// a second round; the tokenizer reaches the end of any text, one call per character at most.
#include "controls/ProfileText.h"
#include "controls/TxStringParser.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckProfile(const QString& text) {
    TProfile24 profile{};
    if (!ReadProfileText(text, profile)) return;
    TProfile24 back{};
    if (!ReadProfileText(ProfileText(profile, QStringLiteral("%.17g")), back)) std::abort();
    // Compared as numbers: a value that rounds to zero is written without its sign, so -0 reads back as 0.
    if (back != profile) std::abort();
    const QString shown = ProfileText(profile, QStringLiteral("%0.1f"));
    if (!ReadProfileText(shown, back) || ProfileText(back, QStringLiteral("%0.1f")) != shown) std::abort();
}

// Every call reads at least one character, so one more call than the text has characters reaches
// the end: NextToken until the end of the text, NextFloat until the first error.
void CheckTokenizer(const QString& text) {
    TStringParser parser(text);
    qsizetype calls = 0;
    while (parser.Error() == spe_None) {
        parser.NextToken();
        if (++calls > text.size() + 1) std::abort();
    }
    if (parser.Error() != spe_EndOfText) std::abort();
    parser.SetText(text);
    for (calls = 0; parser.Error() == spe_None; ++calls) {
        if (calls > text.size() + 1) std::abort();
        if (!std::isfinite(parser.NextFloat())) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckProfile(text);
    CheckTokenizer(text);
    return 0;
}

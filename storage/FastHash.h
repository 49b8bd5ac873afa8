#pragma once
// The hash of the program's own large tables (INI sections, collation ranks): a fast hash of the text
// mixed with a seed that is random per process. Qt's seeded hash of a short text costs about 150 ns in
// the Qt this program is built with, its unseeded one a few nanoseconds; mixing the seed in afterwards
// keeps keys that happen to share a bucket in one run apart in the next.
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>

size_t FastHash(QByteArrayView bytes);
size_t FastHash(QStringView text);

// A text as the key of a QHash that hashes it with FastHash.
struct TFastKey {
    QString Text;
    bool operator==(const TFastKey&) const = default;
};
inline size_t qHash(const TFastKey& key, size_t) {
    return FastHash(QStringView(key.Text));
}

#include "storage/FastHash.h"

#include <QHash>

namespace {

size_t Seed() {
    static const size_t seed = QHashSeed::globalSeed();
    return seed;
}

} // namespace

size_t FastHash(QByteArrayView bytes) {
    return qHash(qHash(bytes, 0), Seed());
}

size_t FastHash(QStringView text) {
    return qHash(qHash(text, 0), Seed());
}

#pragma once
// The check every logo decoder's fuzz target makes: any bytes decode to nothing or to a picture no
// larger than a logo may be.
#include "report/ImageFiles.h"

#include <cstdint>
#include <cstdlib>

inline int FuzzLogoDecoder(QImage (*decode)(QByteArrayView, QString*), const uint8_t* data, size_t size) {
    QString reason;
    const QImage image =
        decode(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &reason);
    if (!image.isNull() && (image.width() > MaxLogoSide || image.height() > MaxLogoSide)) std::abort();
    return 0;
}

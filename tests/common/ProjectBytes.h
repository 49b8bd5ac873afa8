#pragma once
// Project file bytes written by an independent route (QDataStream, little-endian doubles), so tests of
// the reader and writer do not check the code against itself.
#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <initializer_list>

inline QByteArray ProjectFileBytes(std::initializer_list<double> values) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    for (double v : values)
        out << v;
    return bytes;
}

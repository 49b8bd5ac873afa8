#pragma once
// The tests' pictures of what they drew, for a developer to look at: BinaryPath("/screens/NAME.png").
// A picture that cannot be written fails the test. Each returns the picture, so a test can say what it
// expects to see in it.
#include "TestPaths.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>

inline QImage SaveImage(const QImage& image, const QString& name) {
    const QString dir = BinaryPath("/screens");
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    QTest::qVerify(image.save(path), "image.save(path)", qPrintable(path), __FILE__, __LINE__);
    return image;
}

inline QImage SavePicture(QWidget& widget, const QString& name) {
    return SaveImage(widget.grab().toImage(), name);
}

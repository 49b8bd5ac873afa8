#pragma once
// Paths of the source tree, the build tree and the programs built beside a test or benchmark. The build
// compiles them in relative to the folder of the running program, so its object is the same in every
// checkout and a compiler cache can share it between clones; here they are made absolute at run time.
#include <QCoreApplication>
#include <QDir>
#include <QString>

inline QString FromProgramFolder(const char* relative) {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QString::fromUtf8(relative));
}

#ifdef QV_BINARY_FROM_PROGRAM
// BinaryPath("/screens"), SourcePath("/data/help/Quorvane.htm"): BELOW starts with a slash. The source
// tree is found from the build tree's real folder, the one the running program sees.
inline QString BinaryPath(const char* below) {
    return FromProgramFolder(QV_BINARY_FROM_PROGRAM) + QString::fromUtf8(below);
}
inline QString SourcePath(const char* below) {
    return QDir::cleanPath(BinaryPath("/") + QStringLiteral(QV_SOURCE_FROM_BINARY)) +
           QString::fromUtf8(below);
}
#endif

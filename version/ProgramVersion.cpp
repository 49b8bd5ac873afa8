#include "ProgramVersion.h"

#include "TxVerInfo.h"

#include <QCoreApplication>

QString ProgramVersionText(const QString& fileName) {
    try {
        return GetFileVersionText(fileName.isEmpty() ? QCoreApplication::applicationFilePath() : fileName);
    } catch (const EVerInfoError&) {
        // A build without a block still runs; it shows no version rather than a made-up one.
        return {};
    }
}

QString MainCaption(const QString& versionText) {
    const QString product = QStringLiteral("Quorvane");
    return versionText.isEmpty() ? product : product + QStringLiteral(" - Version ") + versionText;
}

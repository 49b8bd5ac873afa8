#include "report/MapiControl.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

TMapiControl::TMapiControl(QObject* parent) : QObject(parent) {}

QStringList TMapiControl::LauncherArguments() const {
    QStringList args{QStringLiteral("--subject"), Subject, QStringLiteral("--body"), Body};
    for (const QString& file : AttachedFiles)
        args << QStringLiteral("--attach") << file;
    for (const QString& cc : CopyTo)
        args << QStringLiteral("--cc") << cc;
    for (const QString& bcc : BlindCopyTo)
        args << QStringLiteral("--bcc") << bcc;
    args << Recipients;
    return args;
}

void TMapiControl::Send() {
    displayFileName_.clear();
    for (const QString& file : AttachedFiles)
        displayFileName_ << QFileInfo(file).fileName();

    // No launcher, or one that cannot start or dies, counts as the user giving up.
    bool aborted = true;
    int result = 0;
    const QString program = QStandardPaths::findExecutable(Launcher);
    if (!program.isEmpty()) {
        QProcess process;
        process.start(program, LauncherArguments());
        // The launcher returns once the mail client has the message; the window waits for it.
        if (process.waitForStarted() && process.waitForFinished(-1) &&
            process.exitStatus() == QProcess::NormalExit) {
            aborted = false;
            result = process.exitCode();
        }
    }
    if (aborted) {
        if (OnUserAbort) OnUserAbort(this);
        return;
    }
    if (result == 0) {
        if (OnSuccess) OnSuccess(this);
    } else if (OnMapiError) {
        OnMapiError(this, result);
    }
}

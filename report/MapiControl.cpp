#include "report/MapiControl.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

TMapiControl::TMapiControl(QObject* parent) : QObject(parent) {}

TMapiControl::~TMapiControl() {
    // A launcher still running may hold the user's compose window: it is left to run, not killed with
    // its QProcess.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (process->state() == QProcess::NotRunning) continue;
        process->disconnect(this);
        process->setParent(nullptr);
    }
}

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

void TMapiControl::Finish(const QStringList& files, const QString& failure, int errorCode) {
    failureText_ = failure;
    sentFiles_ = files;
    if (failure.isEmpty()) {
        if (OnSuccess) OnSuccess(this);
    } else if (errorCode != 0) {
        if (OnMapiError) OnMapiError(this, errorCode);
    } else if (OnUserAbort) {
        OnUserAbort(this);
    }
}

void TMapiControl::Send() {
    displayFileName_.clear();
    for (const QString& file : AttachedFiles)
        displayFileName_ << QFileInfo(file).fileName();

    const QStringList files = AttachedFiles;
    const QString program = QStandardPaths::findExecutable(Launcher);
    if (program.isEmpty()) {
        Finish(files, QStringLiteral("the mail launcher %1 was not found").arg(Launcher));
        return;
    }
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::errorOccurred, this, [this, process, files](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return; // a crash ends in finished as well
        process->deleteLater();
        Finish(files, QStringLiteral("the mail launcher %1 could not be started: %2")
                          .arg(Launcher, process->errorString()));
    });
    connect(process, &QProcess::finished, this,
            [this, process, files](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status != QProcess::NormalExit) {
                    Finish(files, QStringLiteral("the mail launcher %1 stopped unexpectedly").arg(Launcher));
                    return;
                }
                Finish(files,
                       code == 0 ? QString()
                                 : QStringLiteral("the mail launcher %1 failed with exit code %2")
                                       .arg(Launcher, QString::number(code)),
                       code);
            });
    process->start(program, LauncherArguments());
}

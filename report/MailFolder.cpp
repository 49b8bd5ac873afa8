#include "report/MailFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Prefix = QStringLiteral("quorvane-mail-");

QString BaseOr(const QString& base) {
    return base.isEmpty() ? QDir::tempPath() : base;
}

// True when the process of that id runs; a process of another user counts as running.
bool ProcessRuns(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

TMailFolders::TMailFolders(QString base) : base_(BaseOr(base)) {}

QString TMailFolders::NewFolder(QString* error) {
    // mkdtemp makes the folder with mode 0700 under a name nobody could have taken before.
    QByteArray name = QFile::encodeName(base_ + u'/' + Prefix +
                                        QString::number(QCoreApplication::applicationPid()) + u'-') +
                      "XXXXXX";
    if (!::mkdtemp(name.data())) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        return {};
    }
    return QFile::decodeName(name) + u'/';
}

void TMailFolders::RemoveStale(QString base) {
    const QDir dir(BaseOr(base));
    for (const QFileInfo& info : dir.entryInfoList({Prefix + u'*'}, QDir::Dirs | QDir::NoSymLinks)) {
        // quorvane-mail-<pid>-XXXXXX, owned by this user
        const QString pid = info.fileName().mid(Prefix.size()).section(u'-', 0, 0);
        bool ok = false;
        const qint64 id = pid.toLongLong(&ok);
        if (!ok || info.ownerId() != ::getuid() || ProcessRuns(id)) continue;
        QDir(info.filePath()).removeRecursively();
    }
}

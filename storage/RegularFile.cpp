#include "storage/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString NotRegularFileText() {
    return QStringLiteral("not a regular file");
}

bool OpenRegularFile(QFile& file, const QString& path, QString* reason) {
    auto fail = [reason](const QString& text) {
        if (reason) *reason = text;
        return false;
    };
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer before fstat could
    // tell what it is.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(NotRegularFileText());
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    return true;
}

QByteArray ReadAtMost(QFile& file, qint64 cap) {
    QByteArray bytes;
    char chunk[64 * 1024];
    while (bytes.size() < cap) {
        const qint64 n = file.read(chunk, std::min<qint64>(sizeof chunk, cap - bytes.size()));
        if (n <= 0) break;
        bytes.append(chunk, qsizetype(n));
    }
    return bytes;
}

bool IsReplaceableFile(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

#include "QdbFile.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

// Records per read while scanning: about 64 KiB at a time.
constexpr int RecordsPerChunk = 780;

void OpenForReading(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open %1: %2").arg(file.fileName(), file.errorString()));
}

[[noreturn]] void ReadFailed(const QFile& file) {
    throw EFOpenError(QStringLiteral("Cannot read %1: %2").arg(file.fileName(), file.errorString()));
}

} // namespace

int TQdbFile::RecordCount() const {
    const qint64 size = QFileInfo(path_).size();
    return int(std::min<qint64>(size / LocationRecordSize, INT32_MAX));
}

LocationRecord TQdbFile::Read(int n) const {
    QFile file(path_);
    OpenForReading(file);
    LocationRecordBytes bytes;
    if (n < 0 || !file.seek(qint64(n) * LocationRecordSize) ||
        file.read(bytes.data(), LocationRecordSize) != LocationRecordSize)
        ReadFailed(file);
    return DecodeLocationRecord(bytes.data());
}

int TQdbFile::Scan(const std::function<void(const char*, int)>& visit) const {
    QFile file(path_);
    OpenForReading(file);
    std::vector<char> buffer(size_t(RecordsPerChunk) * LocationRecordSize);
    int number = 0;
    qint64 pending = 0; // bytes of an incomplete record carried over to the next read
    for (;;) {
        const qint64 got = file.read(buffer.data() + pending, qint64(buffer.size()) - pending);
        if (got < 0) ReadFailed(file);
        const qint64 have = pending + got;
        const qint64 whole = have / LocationRecordSize;
        for (qint64 i = 0; i < whole; ++i) visit(buffer.data() + i * LocationRecordSize, number++);
        pending = have - whole * LocationRecordSize;
        if (got == 0) break; // end of file: a trailing part record is never read
        std::copy_n(buffer.data() + whole * LocationRecordSize, pending, buffer.data());
    }
    return number;
}

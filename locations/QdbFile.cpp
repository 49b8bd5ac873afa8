#include "QdbFile.h"

#include "storage/RegularFile.h"

#include <QFileInfo>

#include <atomic>
#include <cstring>
#include <vector>

namespace {

// Records per read while scanning: about 64 KiB at a time.
constexpr int RecordsPerChunk = 780;

[[noreturn]] void ReadFailed(const QIODevice& device, const QString& name) {
    throw EFOpenError(QStringLiteral("Cannot read %1: %2").arg(name, device.errorString()));
}

} // namespace

std::unique_ptr<QFile> OpenRegularFile(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    QString reason;
    if (!OpenRegularFile(*file, path, &reason))
        throw EFOpenError(QStringLiteral("Cannot open %1: %2").arg(path, reason));
    return file;
}

namespace {
std::atomic<int64_t> OpenCount{0};
}

int64_t TQdbFile::Opens() {
    return OpenCount.load();
}

std::unique_ptr<QIODevice> TQdbFile::OpenDevice() const {
    ++OpenCount;
    return OpenRegularFile(path_);
}

int TQdbFile::RecordCount() const {
    const qint64 size = bytes_ ? bytes_->size() : QFileInfo(path_).size();
    return int(std::min<qint64>(size / LocationRecordSize, MaxRecordCount));
}

LocationRecord TQdbFile::Read(int n) const {
    if (bytes_) { // records in memory are read where they lie
        if (n < 0 || qint64(n) >= bytes_->size() / LocationRecordSize)
            throw EFOpenError(QStringLiteral("Cannot read %1: no record %2").arg(path_, QString::number(n)));
        return DecodeLocationRecord(bytes_->constData() + qint64(n) * LocationRecordSize);
    }
    const std::unique_ptr<QIODevice> device = OpenDevice();
    LocationRecordBytes bytes;
    if (n < 0 || !device->seek(qint64(n) * LocationRecordSize) ||
        device->read(bytes.data(), LocationRecordSize) != LocationRecordSize)
        ReadFailed(*device, path_);
    return DecodeLocationRecord(bytes.data());
}

int TQdbFile::Scan(const std::function<void(const char*, int)>& visit, int first) const {
    if (bytes_) {
        const int count = RecordCount();
        if (first < 0 || qint64(first) * LocationRecordSize > bytes_->size())
            throw EFOpenError(
                QStringLiteral("Cannot read %1: no record %2").arg(path_, QString::number(first)));
        for (int n = first; n < count; ++n)
            visit(bytes_->constData() + qint64(n) * LocationRecordSize, n);
        return std::max(first, count);
    }
    const std::unique_ptr<QIODevice> device = OpenDevice();
    if (first < 0 || (first > 0 && !device->seek(qint64(first) * LocationRecordSize)))
        ReadFailed(*device, path_);
    std::vector<char> buffer(size_t(RecordsPerChunk) * LocationRecordSize);
    // 64 bits, so that counting past the last number the records can have stops instead of overflowing.
    int64_t number = first;
    qint64 pending = 0; // bytes of an incomplete record carried over to the next read
    while (number < MaxRecordCount) {
        const qint64 got = device->read(buffer.data() + pending, qint64(buffer.size()) - pending);
        if (got < 0) ReadFailed(*device, path_);
        const qint64 have = pending + got;
        const qint64 whole = std::min<qint64>(have / LocationRecordSize, MaxRecordCount - number);
        for (qint64 i = 0; i < whole; ++i)
            visit(buffer.data() + i * LocationRecordSize, int(number++));
        pending = have - whole * LocationRecordSize;
        if (got == 0) break; // end of file: a trailing part record is never read
        std::copy_n(buffer.data() + whole * LocationRecordSize, pending, buffer.data());
    }
    return int(number);
}

#include "ProjectFile.h"

#include "storage/RegularFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

constexpr int ValueCount = ProjectFileSize / 8;
constexpr TInputId FileOrder[ValueCount] = {inAltitude, inLatitude, inLongitude, inTimeZone,
                                            inAzimuth,  inSlope,    inDayNumber};

// Explicit byte order, so the file is the same whatever the host's order.
double DecodeDouble(const char* bytes) {
    return std::bit_cast<double>(qFromLittleEndian<quint64>(bytes));
}

void EncodeDouble(double value, char* bytes) {
    qToLittleEndian(std::bit_cast<quint64>(value), bytes);
}

} // namespace

bool ReadProjectInputs(QIODevice& device, TInputSet& inputs) {
    const QByteArray bytes = device.read(ProjectFileSize);
    if (bytes.size() < ProjectFileSize) return false;
    std::array<double, ValueCount> values{};
    for (int i = 0; i < ValueCount; ++i) {
        values[i] = DecodeDouble(bytes.constData() + 8 * i);
        // A NaN or an infinity would poison every result computed from it.
        if (!std::isfinite(values[i])) return false;
    }
    for (int i = 0; i < ValueCount; ++i)
        SetInputValue(inputs, FileOrder[i], values[i]);
    return true;
}

bool WriteProjectInputs(QIODevice& device, const TInputSet& inputs) {
    QByteArray bytes(ProjectFileSize, '\0');
    for (int i = 0; i < ValueCount; ++i) {
        const double value = InputValue(inputs, FileOrder[i]);
        if (!std::isfinite(value)) return false; // the reader would refuse the file
        EncodeDouble(value, bytes.data() + 8 * i);
    }
    return device.write(bytes) == ProjectFileSize;
}

bool ReadProjectFile(const QString& path, TInputSet& inputs, QString* reason, TProjectInfo* info,
                     TProjectSection* section) {
    QFile file;
    if (!OpenRegularFile(file, path, reason)) return false;
    if (!ReadProjectInputs(file, inputs)) {
        if (reason) *reason = QStringLiteral("shorter than 56 bytes or holding a value that is not a number");
        return false;
    }
    if (info) {
        // One byte past the largest block, so a longer one shows as damaged instead of cut.
        const TProjectSection s =
            DecodeProjectSection(ReadAtMost(file, MaxProjectFileBytes - ProjectFileSize + 1), *info);
        if (section) *section = s;
    }
    return true;
}

bool SaveProjectFile(const QString& path, const TInputSet& inputs, const TProjectInfo& info) {
    // The rename at commit would put a regular file in place of a FIFO or a device.
    if (!IsReplaceableFile(path)) return false;
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file size limit) shows in the write's count: a buffered
    // write would only meet it in the flush at commit, which lets a truncated file replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block = EncodeProjectSection(info);
    if (!WriteProjectInputs(file, inputs) || file.write(block) != block.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

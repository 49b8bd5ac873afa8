#pragma once
// Reading a location record file: fixed 84-byte records, no header; trailing bytes that do not fill a
// record are never read. Files are only read. The records come from a file on disk or from bytes in
// memory (the fuzzer and tests read them that way).
#include "LocationRecord.h"
#include "storage/TxIniFiles.h" // EFOpenError, the error of a file that exists but cannot be read

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// Opens a file for reading only when it is a regular file (or a symlink to one). A FIFO, device or
// folder is refused before anything is read from it, so that no reader blocks on it. Raises
// EFOpenError naming the file: "...: not a regular file" or the system's reason.
std::unique_ptr<QFile> OpenRegularFile(const QString& path);

// The largest number of records a file can hold for the reader: record numbers are 32-bit signed.
constexpr int64_t MaxRecordCount = INT32_MAX;

class TQdbFile {
public:
    // No file: no records.
    TQdbFile() = default;
    // A record file on disk.
    explicit TQdbFile(QString path) : path_(std::move(path)) {}
    // Records held in memory; name is shown in messages.
    TQdbFile(QString name, QByteArray bytes) : path_(std::move(name)), bytes_(std::move(bytes)) {}

    const QString& Path() const { return path_; }
    // Record files opened so far in this run; the tests check with it that the cost of a dialog's
    // work does not grow with the places that share a name.
    static int64_t Opens();
    // Number of whole records the file holds now, at most MaxRecordCount; 0 when it does not exist.
    int RecordCount() const;

    // Reads record n (0-based). Raises EFOpenError when the file cannot be opened or the record is not
    // there in full.
    LocationRecord Read(int n) const;

    // Reads the whole records from number first on, in file order, through a large buffer, handing each
    // one's raw bytes and number to visit; stops after record MaxRecordCount - 1. Returns the number
    // of the record after the last one read. Raises EFOpenError when the file cannot be opened or
    // reading fails.
    int Scan(const std::function<void(const char* bytes, int number)>& visit, int first = 0) const;

private:
    // The file on disk (records in memory are read where they lie).
    std::unique_ptr<QIODevice> OpenDevice() const;

    QString path_;
    std::optional<QByteArray> bytes_;
};

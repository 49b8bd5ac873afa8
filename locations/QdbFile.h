#pragma once
// Reading a location record file: fixed 84-byte records, no header; trailing bytes that do not fill a
// record are never read. Files are only read.
#include "LocationRecord.h"
#include "storage/TxIniFiles.h" // EFOpenError, the error of a file that exists but cannot be read

#include <QString>

#include <functional>

class TQdbFile {
public:
    explicit TQdbFile(QString path = {}) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    // Number of whole records the file holds now; 0 when it does not exist.
    int RecordCount() const;

    // Reads record n (0-based). Raises EFOpenError when the file cannot be opened or the record is not
    // there in full.
    LocationRecord Read(int n) const;

    // Reads every whole record in file order through a large buffer, handing each one's raw bytes and
    // number to visit. Returns the number of records read. Raises EFOpenError when the file cannot be
    // opened or reading fails.
    int Scan(const std::function<void(const char* bytes, int number)>& visit) const;

private:
    QString path_;
};

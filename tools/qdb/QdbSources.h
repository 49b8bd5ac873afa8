#pragma once
// The sample location database: CSV sources read into databases, and the database files written from them.
#include "locations/LocationRecord.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <vector>

// One database, from one source file "<database name>.csv".
struct QdbDatabase {
    QString Name;
    int32_t Code = 0;    // its value in section "+All"; numbered from 1 in file-name order
    QStringList Regions; // region i has the code i + 1, in order of first appearance
    std::vector<LocationRecord> Records;
};

// The header line every source file must have after its leading "#" comment lines.
extern const char* const QdbSourceHeader;

// Reads every *.csv in folder, in file-name order. Each row that does not fit a record adds a line
// "<file>:<line>: <reason>" to errors. Returns true when there were no errors.
bool ReadQdbSources(const QString& folder, std::vector<QdbDatabase>& databases, QStringList& errors);

// The largest source file read: far above any country's places, and a cap on what a mistaken path costs.
constexpr qint64 MaxQdbSourceBytes = qint64(256) << 20;

// One source's text read into db (whose Name and Code are set); name labels the errors.
bool ReadQdbSourceText(const QString& name, QByteArrayView text, QdbDatabase& db, QStringList& errors);

// The text of Regions.idx for the databases.
QByteArray QdbIndexText(const std::vector<QdbDatabase>& databases);

// Writes Regions.idx (Windows-1252, CR LF), one record file per database and "+All.qdb" holding all
// records, into folder (created if needed). Returns false with a message when a file cannot be written.
bool WriteQdbDatabase(const std::vector<QdbDatabase>& databases, const QString& folder, QString& error);

// A place name as the dump prints it: a control character as "\xNN" (its Windows-1252 code in hex),
// a backslash doubled, so that every name prints on one line and reads back unambiguously.
QString EscapedName(const QString& name);

// Writes a record file as CSV, one line per record, to out as it reads it. Returns false with a
// message when the file is missing, is not a regular file, cannot be read, or out cannot be written.
bool DumpQdbFile(const QString& path, QIODevice& out, QString& error);

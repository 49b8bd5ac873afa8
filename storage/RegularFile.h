#pragma once
// Guards for the files users name: a reader opens only a regular file, so a FIFO or a device never
// blocks it; a save replaces only a regular file; a write past the file-size limit fails instead of
// ending the program.
#include <QByteArray>
#include <QString>

class QFile;

// The reason given when a path names something other than a regular file.
QString NotRegularFileText();

// Opens path read-only when it names a regular file or a symbolic link to one. The open itself never
// waits (a FIFO with no writer is refused at once). Returns false, with a reason for the user in
// *reason when given, when the path cannot be opened or is not a regular file.
bool OpenRegularFile(QFile& file, const QString& path, QString* reason = nullptr);

// Reads from file's position up to cap bytes, or to its end when that comes first. The buffer grows
// with what is read: a reader's cap, up to hundreds of megabytes, is not allocated for a small file.
QByteArray ReadAtMost(QFile& file, qint64 cap);

// True when a save may replace path: nothing exists there yet, or a regular file (a symbolic link
// is followed).
bool IsReplaceableFile(const QString& path);

// Ignores SIGXFSZ for the process: the kernel sends it before a write beyond the file-size limit
// fails, and its default action ends the program with nothing saved. Call once at start-up.
void IgnoreFileSizeSignal();

#pragma once
// The letterhead and logo files of a report, found in a folder by name without regard to letter case
// (users write LetterHead.txt, Letterhead.txt or LETTERHEAD.TXT) and read as the other readers are:
// regular files only, with a size cap.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A letterhead is cut after this many bytes or lines; the page header has room for far fewer.
constexpr qint64 MaxLetterheadBytes = 64 * 1024;
constexpr int MaxLetterheadLines = 200;

// The lines of a letterhead file's bytes, empty ones included: UTF-8 when the bytes are valid UTF-8
// (what every Linux editor saves), else Windows-1252 (what older files hold); a byte-order mark is
// dropped, CR LF and LF both end lines. At most MaxLetterheadLines lines of the first
// MaxLetterheadBytes bytes are kept; *cut tells whether anything was left off.
QStringList DecodeLetterhead(QByteArrayView bytes, bool* cut = nullptr);

// Reads a letterhead file through the regular-file opener. False, with the reason in *reason, when it
// cannot be read.
bool ReadLetterheadFile(const QString& path, QStringList& lines, bool* cut, QString* reason);

// The path of the entry of folder named `name` in any letter case, the exact name first; empty when
// there is none. Entries of any type are found, so a FIFO of that name is refused by its reader with a
// reason rather than passed over.
QString FindFileAnyCase(const QString& folder, const QString& name);

// The logo in folder: baseName with the extension .gif, else .jpg, else .bmp, in any letter case;
// empty when there is none.
QString FindLogoFile(const QString& folder, const QString& baseName);

#include "report/LetterheadFile.h"

#include "storage/RegularFile.h"
#include "storage/Win1252.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

// The bytes without a UTF-8 character that the cap cut through at their end.
QByteArrayView WithoutCutCharacter(QByteArrayView bytes) {
    qsizetype lead = bytes.size() - 1;
    while (lead >= 0 && bytes.size() - lead < 4 && (uchar(bytes[lead]) & 0xC0) == 0x80)
        --lead;
    if (lead < 0 || uchar(bytes[lead]) < 0xC0) return bytes;
    const uchar b = uchar(bytes[lead]);
    const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    return bytes.size() - lead < length ? bytes.first(lead) : bytes;
}

} // namespace

QStringList DecodeLetterhead(QByteArrayView bytes, bool* cut) {
    bool shortened = bytes.size() > MaxLetterheadBytes;
    if (shortened) bytes = WithoutCutCharacter(bytes.first(MaxLetterheadBytes));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = DecodeWin1252(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast(); // the final line end
    if (lines.size() > MaxLetterheadLines) {
        lines.resize(MaxLetterheadLines);
        shortened = true;
    }
    if (cut) *cut = shortened;
    return lines;
}

bool ReadLetterheadFile(const QString& path, QStringList& lines, bool* cut, QString* reason) {
    QFile file;
    if (!OpenRegularFile(file, path, reason)) return false;
    // One byte past the cap tells a file that is longer from one that is exactly as long.
    const QByteArray bytes = ReadAtMost(file, MaxLetterheadBytes + 1);
    lines = DecodeLetterhead(bytes, cut);
    return true;
}

QString FindFileAnyCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name)) return dir.filePath(name);
    const QStringList found =
        dir.entryList({name}, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    return found.isEmpty() ? QString() : dir.filePath(found.first());
}

QString FindLogoFile(const QString& folder, const QString& baseName) {
    for (const char* ext : {".gif", ".jpg", ".bmp"}) {
        const QString path = FindFileAnyCase(folder, baseName + QLatin1String(ext));
        if (!path.isEmpty()) return path;
    }
    return {};
}

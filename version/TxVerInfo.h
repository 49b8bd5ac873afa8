#pragma once
// Reads the version block (version/VersionBlock.h) that the build embeds in an executable, from any file.
//     TVerInfoRes info(QCoreApplication::applicationFilePath());
//     QString v = info.FileVersionText();   // "1.0.0.0"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A version block that is present but cannot be read ("Cannot obtain version info.", "No language info.").
class EVerInfoError : public std::runtime_error {
public:
    explicit EVerInfoError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
// The file holds no version block, or cannot be opened: "No Version Info Available.".
class ENoVerInfoError : public EVerInfoError {
public:
    ENoVerInfoError() : EVerInfoError(QStringLiteral("No Version Info Available.")) {}
};
// The block lacks the fixed file information or holds fewer than 52 bytes of it: "No fixed file info".
class eNoFixeVerInfo : public EVerInfoError {
public:
    eNoFixeVerInfo() : EVerInfoError(QStringLiteral("No fixed file info")) {}
};

class TVerInfoRes {
public:
    // Finds and reads the block of the file; raises one of the errors above.
    explicit TVerInfoRes(const QString& fileName);

    const QString& FileName() const { return FFileName; }
    // The file version's four parts, most significant first: "2.1.0.15".
    QString FileVersionText() const;
    QString ProductVersionText() const;
    // The flags set in both the file flags and their mask.
    quint32 FileFlags() const { return FFlags; }
    // Their texts, in the order "Pre-release", "Private build", "Special build", "Debug".
    const QStringList& FlagTexts() const { return FFlagTexts; }
    quint16 Language() const { return FLanguage; }
    quint16 CodePage() const { return FCodePage; }
    // A text of the block's string table ("CompanyName", "ProductVersion", ...), or an empty text.
    QString StringValue(const QString& name) const;

private:
    // The value of the payload entry with this key, or a null array when there is none.
    QByteArray Query(QByteArrayView key) const;

    QString FFileName;
    QByteArray FPayload;
    quint16 FLanguage = 0;
    quint16 FCodePage = 0;
    quint32 FFileVersion[2] = {0, 0};    // high and low word
    quint32 FProductVersion[2] = {0, 0}; // high and low word
    quint32 FFlags = 0;
    QStringList FFlagTexts;
};

// The file version text of a file: a reader is created, asked and released.
QString GetFileVersionText(const QString& fileName);

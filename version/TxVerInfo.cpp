#include "TxVerInfo.h"

#include "VersionBlock.h"
#include "storage/Win1252.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace {

// The payload of the first valid block in the bytes. A marker whose size field does not match its
// complement is a stray copy and skipped; a valid header whose payload runs past the end of the file
// cannot be read.
std::optional<QByteArray> FindPayload(QByteArrayView bytes) {
    const QByteArrayView marker(reinterpret_cast<const char*>(verblock::Marker.data()),
                                verblock::Marker.size());
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        const qsizetype sizeAt = at + marker.size();
        if (sizeAt + 8 > bytes.size()) break;
        const quint32 size = qFromLittleEndian<quint32>(bytes.data() + sizeAt);
        const quint32 check = qFromLittleEndian<quint32>(bytes.data() + sizeAt + 4);
        if (size != ~check) continue;
        if (size == 0) return std::nullopt;
        if (qsizetype(size) > bytes.size() - (sizeAt + 8))
            throw EVerInfoError(QStringLiteral("Cannot obtain version info."));
        return bytes.sliced(sizeAt + 8, size).toByteArray();
    }
    return std::nullopt;
}

// True when the payload is a whole run of entries; a block that is not cannot be read.
bool WellFormed(QByteArrayView payload) {
    qsizetype at = 0;
    while (at < payload.size()) {
        if (payload.size() - at < 2) return false;
        const qsizetype keyEnd = at + 2 + qFromLittleEndian<quint16>(payload.data() + at);
        if (payload.size() - keyEnd < 4) return false;
        const qsizetype valueLength = qFromLittleEndian<quint32>(payload.data() + keyEnd);
        if (payload.size() - (keyEnd + 4) < valueLength) return false;
        at = keyEnd + 4 + valueLength;
    }
    return true;
}

std::optional<QByteArray> PayloadOfFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Mapping spares reading a large executable into memory; a file that cannot be mapped is read.
    if (const uchar* mapped = file.map(0, file.size()))
        return FindPayload(QByteArrayView(mapped, file.size()));
    return FindPayload(file.readAll());
}

QString FourParts(const quint32 words[2]) {
    return QString::asprintf("%d.%d.%d.%d", int(words[0] >> 16), int(words[0] & 0xFFFF), int(words[1] >> 16),
                             int(words[1] & 0xFFFF));
}

} // namespace

TVerInfoRes::TVerInfoRes(const QString& fileName) : FFileName(fileName) {
    const std::optional<QByteArray> payload = PayloadOfFile(fileName);
    if (!payload) throw ENoVerInfoError();
    if (!WellFormed(*payload)) throw EVerInfoError(QStringLiteral("Cannot obtain version info."));
    FPayload = *payload;

    const QByteArray translation = Query(verblock::TranslationKey);
    if (translation.size() < 4) throw EVerInfoError(QStringLiteral("No language info."));
    FLanguage = qFromLittleEndian<quint16>(translation.constData());
    FCodePage = qFromLittleEndian<quint16>(translation.constData() + 2);

    const QByteArray fixed = Query(verblock::FixedInfoKey);
    if (fixed.size() < qsizetype(verblock::FixedInfoSize)) throw eNoFixeVerInfo();
    const auto word = [&fixed](int i) { return qFromLittleEndian<quint32>(fixed.constData() + 4 * i); };
    FFileVersion[0] = word(2);
    FFileVersion[1] = word(3);
    FProductVersion[0] = word(4);
    FProductVersion[1] = word(5);
    FFlags = word(6) & word(7);

    const std::pair<quint32, const char*> texts[] = {{verblock::FlagPreRelease, "Pre-release"},
                                                     {verblock::FlagPrivateBuild, "Private build"},
                                                     {verblock::FlagSpecialBuild, "Special build"},
                                                     {verblock::FlagDebug, "Debug"}};
    for (const auto& [flag, text] : texts)
        if (FFlags & flag) FFlagTexts << QString::fromLatin1(text);
}

QByteArray TVerInfoRes::Query(QByteArrayView key) const {
    const QByteArrayView payload(FPayload);
    qsizetype at = 0;
    while (at < payload.size()) {
        const qsizetype keyLength = qFromLittleEndian<quint16>(payload.data() + at);
        const QByteArrayView entryKey = payload.sliced(at + 2, keyLength);
        const qsizetype valueAt = at + 2 + keyLength + 4;
        const qsizetype valueLength = qFromLittleEndian<quint32>(payload.data() + valueAt - 4);
        if (entryKey == key) return payload.sliced(valueAt, valueLength).toByteArray();
        at = valueAt + valueLength;
    }
    return {};
}

QString TVerInfoRes::FileVersionText() const {
    return FourParts(FFileVersion);
}

QString TVerInfoRes::ProductVersionText() const {
    return FourParts(FProductVersion);
}

QString TVerInfoRes::StringValue(const QString& name) const {
    const verblock::TTablePrefix table(FLanguage, FCodePage);
    const QByteArray key = QByteArray(table.View().data(), table.View().size()) + name.toLatin1();
    return DecodeWin1252(Query(key));
}

QString GetFileVersionText(const QString& fileName) {
    return TVerInfoRes(fileName).FileVersionText();
}

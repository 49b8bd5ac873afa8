#include "ProjectInfo.h"

#include "storage/Settings.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

const QByteArray SectionTag = QByteArrayLiteral("QVXP");
constexpr quint16 SectionVersion = 1;
constexpr int HeaderSize = 12; // tag, version, CRC, length

const QString SettingsSection = QStringLiteral("Project");

QString Escape(const QString& value) {
    QString text = value;
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

QString Unescape(const QString& text) {
    QString value;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            ++i;
            value += text[i] == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : text[i];
        } else {
            value += text[i];
        }
    }
    return value;
}

// What a field may hold: no control characters but the line feeds of a multi-line field, at most its
// longest length.
QString Clean(const QString& text, const TProjectField& field) {
    QString clean;
    for (QChar c : text)
        if (!c.isNonCharacter() &&
            (c.category() != QChar::Other_Control || (field.MultiLine && c == QLatin1Char('\n'))))
            clean += c;
    clean.truncate(field.MaxLength);
    if (!clean.isEmpty() && clean.back().isHighSurrogate()) clean.chop(1); // never half a character
    return clean;
}

quint16 Crc(const QByteArray& text) {
    return qChecksum(QByteArrayView(text), Qt::ChecksumIso3309);
}

} // namespace

bool TProjectInfo::IsEmpty() const {
    for (const TProjectField& f : ProjectFields())
        if (!(this->*f.Member).trimmed().isEmpty()) return false;
    return true;
}

const QList<TProjectField>& ProjectFields() {
    using P = TProjectInfo;
    static const QList<TProjectField> fields{
        {"title", "Project &title", &P::Title, 120, false},
        {"number", "Project &number", &P::Number, 40, false},
        {"client", "C&lient", &P::Client, 120, false},
        {"building", "&Building and fa\u00e7ade", &P::Building, 120, false},
        {"designer", "&Designer", &P::Designer, 80, false},
        {"checker", "C&hecker", &P::Checker, 80, false},
        {"revision", "&Revision", &P::Revision, 20, false},
        {"notes", "Not&es", &P::Notes, 2000, true},
    };
    return fields;
}

QByteArray EncodeProjectSection(const TProjectInfo& info) {
    if (info.IsEmpty()) return {};
    QString text;
    for (const TProjectField& f : ProjectFields())
        text += QString::fromLatin1(f.Key) + QLatin1Char('=') + Escape(Clean(info.*f.Member, f)) +
                QLatin1Char('\n');
    const QByteArray payload = text.toUtf8().left(MaxProjectSectionText);
    QByteArray bytes = SectionTag;
    bytes.resize(HeaderSize);
    qToLittleEndian<quint16>(SectionVersion, bytes.data() + 4);
    qToLittleEndian<quint16>(Crc(payload), bytes.data() + 6);
    qToLittleEndian<quint32>(quint32(payload.size()), bytes.data() + 8);
    return bytes + payload;
}

TProjectSection DecodeProjectSection(const QByteArray& tail, TProjectInfo& info) {
    // Bytes that do not begin with the tag are what they always were: ignored.
    if (!tail.startsWith(SectionTag)) return psAbsent;
    if (tail.size() < HeaderSize) return psDamaged;
    const quint16 version = qFromLittleEndian<quint16>(tail.constData() + 4);
    const quint16 crc = qFromLittleEndian<quint16>(tail.constData() + 6);
    const quint32 length = qFromLittleEndian<quint32>(tail.constData() + 8);
    if (version != SectionVersion || length > quint32(MaxProjectSectionText) ||
        qint64(length) > tail.size() - HeaderSize)
        return psDamaged;
    const QByteArray payload = tail.mid(HeaderSize, qsizetype(length));
    if (Crc(payload) != crc) return psDamaged;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(payload);
    if (utf8.hasError()) return psDamaged;

    TProjectInfo read;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = line.left(eq);
        for (const TProjectField& f : ProjectFields())
            if (key == QLatin1String(f.Key)) read.*f.Member = Clean(Unescape(line.mid(eq + 1)), f);
    }
    info = read;
    return psRead;
}

TProjectInfo ReadProjectSettings() {
    TSettingsStore store(SettingsSection);
    TProjectInfo info;
    for (const TProjectField& f : ProjectFields())
        info.*f.Member = Clean(store.ReadString(QString::fromLatin1(f.Key), {}), f);
    return info;
}

void WriteProjectSettings(const TProjectInfo& info) {
    TSettingsStore store(SettingsSection);
    for (const TProjectField& f : ProjectFields())
        store.WriteString(QString::fromLatin1(f.Key), info.*f.Member);
    store.Flush();
}

bool ReadDesignPeaksSetting() {
    return TSettingsStore(SettingsSection).ReadBool(QStringLiteral("DesignPeaks"), false);
}

void WriteDesignPeaksSetting(bool on) {
    TSettingsStore store(SettingsSection);
    store.WriteBool(QStringLiteral("DesignPeaks"), on);
    store.Flush();
}

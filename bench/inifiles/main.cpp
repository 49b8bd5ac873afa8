// Times the INI store on an index whose "+All" section holds many keys, as a large location database
// would: loading the text, a lookup of every key, and the label of a place (the key whose value is a
// given code), by a scan of the keys with ValueInt, by the store's reverse lookup, and through the
// location database. The same figures follow for 57,644 keys chosen so that their rotate-and-xor
// hashes all fall in one bucket of a 256-bucket table. Prints one line per figure (best of several runs).
#include "locations/LocationDb.h"
#include "locations/LocationRecord.h"
#include "storage/TxIniFiles.h"

#include "bench/common/BestTime.h"
#include "bench/common/Report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Runs = 3;

double BestMs(const std::function<void()>& step) {
    return ::BestMs(step, Runs);
}

// Plain keys "Place 1" .. "Place n".
QStringList PlainKeys(int count) {
    QStringList keys;
    for (int i = 1; i <= count; ++i)
        keys << QStringLiteral("Place %1").arg(i);
    return keys;
}

// Upper-case keys whose hash under h = rotl(h, 2) xor byte has the same low 8 bits: a prefix of
// letters, then a last byte chosen to land in bucket 0x41.
QStringList CollidingKeys(int count) {
    QStringList keys;
    const QByteArray letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (char a : letters)
        for (char b : letters)
            for (char c : letters)
                for (char d : letters) {
                    const QByteArray prefix = QByteArray{"K"} + a + b + c + d;
                    quint32 h = 0;
                    for (char ch : prefix)
                        h = ((h << 2) | (h >> 30)) ^ quint32(uchar(ch));
                    const quint32 rotated = (h << 2) | (h >> 30);
                    const int last = int((rotated ^ 0x41u) & 0xFFu);
                    const bool usable = (last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z');
                    if (!usable || ((rotated ^ quint32(last)) & 0xFFu) != 0x41u) continue;
                    keys << QString::fromLatin1(prefix + char(last));
                    if (keys.size() == count) return keys;
                }
    return keys;
}

QByteArray IndexText(const QStringList& keys) {
    QByteArray text = "[+All]\r\n";
    for (int i = 0; i < keys.size(); ++i)
        text += keys[i].toLatin1() + '=' + QByteArray::number(i + 1) + "\r\n";
    return text;
}

// The label of a place as the location database found it: the first key, in file order, whose value is
// the code.
QString ScanLabel(const TMemIniFile& ini, const QStringList& keys, int code) {
    for (const QString& key : keys)
        if (ini.ValueInt(QStringLiteral("+All"), key, 0) == code) return key;
    return {};
}

void Measure(const QString& name, const QStringList& keys) {
    const QByteArray text = IndexText(keys);
    const int n = int(keys.size());
    const QString all = QStringLiteral("+All");
    std::printf("%s: %d keys\n", qPrintable(name), n);
    TMemIniFile ini;
    Report(QStringLiteral("  load the index text"), BestMs([&] { ini.LoadFromBytes(text); }));
    Report(QStringLiteral("  ValueInt of every key"), BestMs([&] {
               for (const QString& key : keys)
                   ini.ValueInt(all, key, 0);
           }));
    QStringList fileKeys;
    ini.SectionKeys(all, fileKeys);
    Report(QStringLiteral("  label by a scan of the keys (last key's code)"),
           BestMs([&] { ScanLabel(ini, fileKeys, n); }));
    Report(QStringLiteral("  label by reverse lookup, first after loading"), BestMs([&] {
                                                                                 TMemIniFile fresh;
                                                                                 fresh.LoadFromBytes(text);
                                                                                 fresh.KeyOfValueInt(all, n);
                                                                             }) - BestMs([&] {
                                                                                 TMemIniFile fresh;
                                                                                 fresh.LoadFromBytes(text);
                                                                             }));
    ini.KeyOfValueInt(all, 1);
    int code = 0;
    Report(QStringLiteral("  label by reverse lookup, 1000 more labels"), BestMs([&] {
               for (int i = 0; i < 1000; ++i)
                   ini.KeyOfValueInt(all, 1 + (code++ * 7919) % n);
           }));
    if (ScanLabel(ini, fileKeys, n / 2) != ini.KeyOfValueInt(all, n / 2)) std::printf("  MISMATCH\n");

    // Through the location database, with the index as its Regions.idx and one record per code.
    QTemporaryDir dir;
    QFile idx(dir.filePath(QStringLiteral("Regions.idx")));
    if (!idx.open(QIODevice::WriteOnly) || idx.write(text) != text.size()) return;
    idx.close();
    TLocationDatabase db;
    db.LoadIndex(dir.path() + u'/');
    LocationRecord record;
    record.PlaceName = QStringLiteral("Somewhere");
    int next = 0;
    Report(QStringLiteral("  place label through the location database"), BestMs([&] {
               record.DatabaseCode = n - (next++ % 7); // a new code each time: nothing remembered
               db.PickedName(record, all, all);
           }));
}

} // namespace

int main() {
    Measure(QStringLiteral("plain keys"), PlainKeys(100000));
    Measure(QStringLiteral("plain keys"), PlainKeys(300000));
    Measure(QStringLiteral("keys sharing a bucket of the old 256-bucket hash"), CollidingKeys(57644));
    return 0;
}

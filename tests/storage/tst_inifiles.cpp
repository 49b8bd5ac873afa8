// The in-memory INI store: loading rules, lookups through the hash indexes, changes and the saved form.
#include "storage/IntText.h"
#include "storage/TxIniFiles.h"
#include "storage/Win1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Section headers, key names, integer-looking texts, line ends of every kind, a comment, a line before
// the first header, repeated keys and sections, a line without "=" and Windows-1252 letters.
const QByteArray kFixture = "; header comment\r\n"
                            "orphan=1\r\n"
                            "[ Sites ]\n"
                            "  Gauteng = 12  \r"
                            "hex1=0x1F\r\n"
                            "hex2=0X1f\n"
                            "hex3=$1F\n"
                            "neg=-$10\n"
                            "trail=12abc\n"
                            "empty=\n"
                            "short=0x\n"
                            "dup=1\n"
                            "dup=2\n"
                            "bare line\n"
                            "big=2147483648\n"
                            "   ; indented comment\n"
                            "[A]\n"
                            "k=first\n"
                            "[a]\n"
                            "k=second\n"
                            "m=3\n"
                            "[Z\xFCrich]\n"
                            "Stra\xDF"
                            "e=5\n";

std::unique_ptr<TMemIniFile> LoadedFixture() {
    auto ini = std::make_unique<TMemIniFile>();
    ini->LoadFromBytes(kFixture);
    return ini;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestIniFiles : public QObject {
    Q_OBJECT
private slots:
    void hashFindsLastAddedOfEqualKeys() {
        TStringHash hash;
        hash.Add("AB", 1);
        hash.Add("ABC", 2); // another key, possibly the same chain
        hash.Add("AB", 3);
        QCOMPARE(hash.ValueOf("AB"), 3);
        QCOMPARE(hash.ValueOf("ABC"), 2);
        QCOMPARE(hash.ValueOf("ab"), -1); // byte-for-byte, no case folding in the table itself
        hash.Clear();
        QCOMPARE(hash.ValueOf("AB"), -1);
    }

    // The table grows with its contents (a fixed table made every lookup in a large section a long
    // chain walk), and growing keeps every key and the last-added-wins order.
    void hashGrowsWithContents() {
        TStringHash hash;
        const int count = 5000;
        for (int i = 0; i < count; ++i)
            hash.Add(QByteArray::number(i), i);
        hash.Add("17", -17);
        QVERIFY(hash.BucketCount() >= count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(hash.ValueOf(QByteArray::number(i)), i == 17 ? -17 : i);
        QCOMPARE(hash.ValueOf("5000"), -1);
    }

    // The reverse lookup answers as a scan of the keys in file order with ValueInt would, through
    // duplicate keys, case-folded names, hexadecimal values, texts that are not numbers and changes.
    void keyOfValueInt() {
        TMemIniFile ini;
        ini.LoadFromBytes("[+All]\r\n+All=0\r\nAlpha=1\r\nBeta=$2\r\nGamma=2\r\nalpha=7\r\n"
                          "Delta=0x10\r\nEps=word\r\nZeta=1\r\n");
        auto scan = [&ini](qint32 value) {
            QStringList keys;
            ini.SectionKeys("+All", keys);
            for (const QString& key : keys)
                if (ini.ValueInt("+All", key, 0) == value) return key;
            return QString();
        };
        for (qint32 value : {0, 1, 2, 7, 16, 3}) {
            QCOMPARE(ini.KeyOfValueInt("+all", value), scan(value));
        }
        QCOMPARE(ini.KeyOfValueInt("+All", 7), QString("Alpha")); // "alpha=7" is Alpha's value
        QCOMPARE(ini.KeyOfValueInt("+All", 1), QString("Zeta"));
        QCOMPARE(ini.KeyOfValueInt("+All", 0), QString("+All")); // "word" reads as 0 too
        QCOMPARE(ini.KeyOfValueInt("None", 1), QString());
        ini.StoreValue("+All", "Theta", "3");
        QCOMPARE(ini.KeyOfValueInt("+All", 3), QString("Theta"));
        ini.RemoveKey("+All", "Zeta");
        QCOMPARE(ini.KeyOfValueInt("+All", 1), QString());
        ini.LoadFromBytes("[+All]\r\nOther=1\r\n");
        QCOMPARE(ini.KeyOfValueInt("+All", 1), QString("Other"));
    }

    void listIndexesFollowEveryChange() {
        THashedStringList list;
        list.Add("alpha=1");
        list.Add("beta=2");
        list.Add("gamma");
        QCOMPARE(list.IndexOf("BETA=2"), 1);
        QCOMPARE(list.IndexOfName("Alpha"), 0);
        QCOMPARE(list.IndexOfName("gamma"), -1); // a line without "=" has no name
        list.Insert(0, "delta=4");
        QCOMPARE(list.IndexOfName("alpha"), 1);
        list.Exchange(0, 3);
        QCOMPARE(list.IndexOf("gamma"), 0);
        QCOMPARE(list.IndexOfName("delta"), 3);
        list.Put(2, "alpha=9"); // a second alpha after the first
        QCOMPARE(list.IndexOfName("alpha"), 2);
        list.Delete(2);
        QCOMPARE(list.IndexOfName("alpha"), 1);
        list.SetCaseSensitive(true);
        QCOMPARE(list.IndexOfName("ALPHA"), -1);
        QCOMPARE(list.IndexOfName("alpha"), 1);
        list.Clear();
        QCOMPARE(list.IndexOf("gamma"), -1);
    }

    // Each input is loaded and written back: the saved text shows exactly which sections and lines
    // were kept, in which form.
    void loading_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("LF") << QByteArray("[A]\nx=1\ny=2") << QByteArray("[A]\r\nx=1\r\ny=2\r\n\r\n");
        QTest::newRow("CR") << QByteArray("[A]\rx=1\ry=2\r") << QByteArray("[A]\r\nx=1\r\ny=2\r\n\r\n");
        QTest::newRow("CR LF and blank lines")
            << QByteArray("\r\n[A]\r\n\r\n\n\rx=1\r\n") << QByteArray("[A]\r\nx=1\r\n\r\n");
        QTest::newRow("LF CR is two line ends")
            << QByteArray("[A]\n\rx=1") << QByteArray("[A]\r\nx=1\r\n\r\n");
        QTest::newRow("blanks trimmed around header, name, value")
            << QByteArray("  [ Sites ]  \n\t Gauteng  =  12 \t\n")
            << QByteArray("[Sites]\r\nGauteng=12\r\n\r\n");
        QTest::newRow("control characters trimmed, DEL kept")
            << QByteArray("\x01[A]\x1f\n\x02k\x03=\x04v\x7f\n") << QByteArray("[A]\r\nk=v\x7f\r\n\r\n");
        QTest::newRow("only the first = splits")
            << QByteArray("[A]\na = b = c\n") << QByteArray("[A]\r\na=b = c\r\n\r\n");
        QTest::newRow("comments and lines before the first header dropped")
            << QByteArray("x=0\nloose\n[A]\n;c=1\n  ; c=2\nk;=3\n") << QByteArray("[A]\r\nk;=3\r\n\r\n");
        QTest::newRow("line without = kept")
            << QByteArray("[A]\njust text \n") << QByteArray("[A]\r\njust text\r\n\r\n");
        QTest::newRow("empty name kept") << QByteArray("[A]\n= v\n") << QByteArray("[A]\r\n=v\r\n\r\n");
        QTest::newRow("repeated sections kept apart")
            << QByteArray("[A]\nx=1\n[B]\n[a]\ny=2\n")
            << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\n\r\n[a]\r\ny=2\r\n\r\n");
        QTest::newRow("empty brackets open a nameless section")
            << QByteArray("[]\nx=1\n[ ]\n") << QByteArray("[]\r\nx=1\r\n\r\n[]\r\n\r\n");
        QTest::newRow("half headers are lines")
            << QByteArray("[A]\n[B\nC]\n[\n") << QByteArray("[A]\r\n[B\r\nC]\r\n[\r\n\r\n");
        QTest::newRow("text ends at NUL")
            << QByteArray("[A]\nx=1\0\ny=2\n[B]\n", 17) << QByteArray("[A]\r\nx=1\r\n\r\n");
        QTest::newRow("NUL first") << QByteArray("\0[A]\nx=1", 8) << QByteArray();
        QTest::newRow("Windows-1252 bytes kept") << QByteArray("[Z\xFCrich]\n\x80=\x9F\xFF\n")
                                                 << QByteArray("[Z\xFCrich]\r\n\x80=\x9F\xFF\r\n\r\n");
    }
    void loading() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, saved);
        TMemIniFile ini;
        ini.LoadFromBytes(input);
        QCOMPARE(ini.SaveToBytes(), saved);
    }

    void reads_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text"); // "<default>" when the default comes back
        QTest::addColumn<int>("integer");  // -7 is the default given
        QTest::newRow("blanks removed, any letter case") << "SITES"
                                                         << "GAUTENG"
                                                         << "12" << 12;
        QTest::newRow("0x hex") << "Sites"
                                << "hex1"
                                << "0x1F" << 31;
        QTest::newRow("0X hex") << "Sites"
                                << "hex2"
                                << "0X1f" << 31;
        QTest::newRow("$ hex") << "Sites"
                               << "hex3"
                               << "$1F" << 31;
        QTest::newRow("signed $ hex") << "Sites"
                                      << "neg"
                                      << "-$10" << -16;
        QTest::newRow("trailing letters") << "Sites"
                                          << "trail"
                                          << "12abc" << -7;
        QTest::newRow("empty value") << "Sites"
                                     << "empty"
                                     << "" << -7;
        QTest::newRow("0x alone") << "Sites"
                                  << "short"
                                  << "0x" << -7;
        QTest::newRow("beyond 32 bits") << "Sites"
                                        << "big"
                                        << "2147483648" << -7;
        QTest::newRow("repeated key: last wins") << "Sites"
                                                 << "DUP"
                                                 << "2" << 2;
        QTest::newRow("line without = never found") << "Sites"
                                                    << "bare line"
                                                    << "<default>" << -7;
        QTest::newRow("key not trimmed") << "Sites"
                                         << "Gauteng "
                                         << "<default>" << -7;
        QTest::newRow("section not trimmed") << " Sites"
                                             << "Gauteng"
                                             << "<default>" << -7;
        QTest::newRow("line before first header") << "Sites"
                                                  << "orphan"
                                                  << "<default>" << -7;
        QTest::newRow("comment") << "Sites"
                                 << "; indented comment"
                                 << "<default>" << -7;
        QTest::newRow("repeated section: last wins") << "A"
                                                     << "k"
                                                     << "second" << -7;
        QTest::newRow("first of repeated sections unseen") << "a"
                                                           << "m"
                                                           << "3" << 3;
        QTest::newRow("Windows-1252 letters fold") << "Z\u00DCRICH"
                                                   << "STRA\u00DFE"
                                                   << "5" << 5;
        QTest::newRow("missing section") << "Nowhere"
                                         << "k"
                                         << "<default>" << -7;
        QTest::newRow("missing key") << "A"
                                     << "zzz"
                                     << "<default>" << -7;
    }
    void reads() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, integer);
        const auto ini = LoadedFixture();
        QCOMPARE(ini->ValueText(section, key, "<default>"), text);
        QCOMPARE(ini->ValueInt(section, key, -7), integer);
    }

    // The integer reader shared with the settings store: the limits of 32 bits and what is not a number.
    void integerTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plus sign") << "+5" << true << 5;
        QTest::newRow("lowest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("highest") << "2147483647" << true << 2147483647;
        QTest::newRow("one above") << "2147483648" << false << 0;
        QTest::newRow("one below") << "-2147483649" << false << 0;
        QTest::newRow("hex uses all 32 bits") << "$FFFFFFFF" << true << -1;
        QTest::newRow("hex beyond 32 bits") << "$100000000" << false << 0;
        QTest::newRow("many leading zeros") << "$0000000000001" << true << 1;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("dollar alone") << "$" << false << 0;
        QTest::newRow("leading blank") << " 5" << false << 0;
        QTest::newRow("not a hex digit") << "$1G" << false << 0;
        QTest::newRow("0x needs the store's rewrite") << "0x10" << false << 0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << false << 0;
    }
    void integerTexts() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        qint32 read = 0;
        QCOMPARE(TryStrToInt32(text, read), ok);
        if (ok) QCOMPARE(read, value);
    }

    void booleans() {
        TMemIniFile ini;
        ini.LoadFromBytes("[B]\non=1\noff=0\nother=2\nword=yes\n");
        QCOMPARE(ini.ValueBool("B", "on", false), true);
        QCOMPARE(ini.ValueBool("B", "off", true), false);
        QCOMPARE(ini.ValueBool("B", "other", false), true);
        QCOMPARE(ini.ValueBool("B", "word", true), true);
        QCOMPARE(ini.ValueBool("B", "word", false), false);
        QCOMPARE(ini.ValueBool("B", "missing", true), true);
        ini.StoreBool("B", "on", false);
        ini.StoreBool("B", "new", true);
        QCOMPARE(ini.ValueText("B", "on", ""), QString("0"));
        QCOMPARE(ini.ValueText("B", "new", ""), QString("1"));
    }

    void sectionQueries() {
        const auto fixture = LoadedFixture();
        const TMemIniFile& ini = *fixture;
        QStringList list{"stale"};
        ini.SectionNames(list);
        QCOMPARE(list, QStringList({"Sites", "A", "a", "Z\u00FCrich"}));
        ini.SectionKeys("sites", list);
        QCOMPARE(list, QStringList({"Gauteng", "hex1", "hex2", "hex3", "neg", "trail", "empty", "short",
                                    "dup", "dup", "", "big"}));
        ini.SectionKeys("A", list);
        QCOMPARE(list, QStringList({"k", "m"}));
        ini.SectionLinesCopy("a", list);
        QCOMPARE(list, QStringList({"k=second", "m=3"}));
        ini.SectionKeys("Nowhere", list);
        QVERIFY(list.isEmpty());
        ini.SectionLinesCopy("Nowhere", list);
        QVERIFY(list.isEmpty());
    }

    void changes() {
        TMemIniFile ini;
        ini.LoadFromBytes("[S]\ndup=1\nx=0\ndup=2\n[A]\nk=first\n[a]\nk=second\n");
        ini.StoreValue("s", "DUP", "3"); // replaces the last occurrence, keeps its place
        ini.StoreInt("S", "n", -42);     // appended
        ini.StoreValue("New", "k", "v"); // a new section at the end
        ini.RemoveSection("A");          // the second of the two
        QCOMPARE(ini.SaveToBytes(), QByteArray("[S]\r\ndup=1\r\nx=0\r\nDUP=3\r\nn=-42\r\n\r\n"
                                               "[A]\r\nk=first\r\n\r\n"
                                               "[New]\r\nk=v\r\n\r\n"));
        QCOMPARE(ini.ValueText("a", "k", ""), QString("first"));
        ini.RemoveKey("S", "dup"); // the last one goes, so the first one is found again
        QCOMPARE(ini.ValueInt("S", "dup", 0), 1);
        ini.RemoveKey("S", "missing");
        ini.RemoveKey("Nowhere", "k");
        ini.RemoveSection("Nowhere");
        QCOMPARE(ini.SaveToBytes(), QByteArray("[S]\r\ndup=1\r\nx=0\r\nn=-42\r\n\r\n"
                                               "[A]\r\nk=first\r\n\r\n"
                                               "[New]\r\nk=v\r\n\r\n"));
    }

    void filesOnDisk() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Regions.idx");
        {
            TMemIniFile ini(path); // missing: empty, nothing raised
            QStringList names;
            ini.SectionNames(names);
            QVERIFY(names.isEmpty());
            QCOMPARE(ini.ValueInt("A", "k", 5), 5);
            ini.StoreValue("A", "k", "v");
            ini.StoreValue("B", "z", "");
            ini.RemoveKey("B", "z");
        } // destroying the store never writes
        QVERIFY(!QFile::exists(path));

        TMemIniFile ini(path);
        ini.StoreValue("A", "k", "v");
        ini.StoreValue("B", "z", "");
        ini.RemoveKey("B", "z");
        QVERIFY(ini.SaveToIni());
        QCOMPARE(ReadAll(path), QByteArray("[A]\r\nk=v\r\n\r\n[B]\r\n\r\n"));
        QCOMPARE(TMemIniFile(path).ValueText("a", "K", ""), QString("v"));

        QVERIFY(!TMemIniFile().SaveToIni()); // no file name
        QVERIFY(!TMemIniFile(dir.filePath("no/such/folder/x.ini")).SaveToIni());
    }

    void unreadableFileRaises() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.idx"));
        QVERIFY_THROWS_EXCEPTION(EFOpenError, TMemIniFile(dir.filePath("folder.idx")));
    }

    void roundTripThroughDevice() {
        QByteArray bytes;
        QBuffer out(&bytes);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(LoadedFixture()->SaveToBytes());
        out.close();
        QBuffer in(&bytes);
        TMemIniFile ini;
        QVERIFY(ini.LoadFromDevice(in));
        QCOMPARE(ini.SaveToBytes(), LoadedFixture()->SaveToBytes());
        QCOMPARE(ini.ValueInt("Sites", "hex1", 0), 31);
    }

    void badInputNeverCrashes() {
        QRandomGenerator rng(1234);
        for (int round = 0; round < 50; ++round) {
            QByteArray junk(4096, Qt::Uninitialized);
            for (char& c : junk)
                c = char(rng.bounded(256));
            if (round % 2) junk.replace('\0', '['); // let some rounds run past the first NUL
            TMemIniFile ini;
            ini.LoadFromBytes(junk);
            QStringList names;
            ini.SectionNames(names);
            for (const QString& s : names) {
                QStringList keys;
                ini.SectionKeys(s, keys);
                for (const QString& k : keys)
                    ini.ValueInt(s, k, 0);
            }
        }
        // One line of 8 MB.
        QByteArray huge = "[A]\nk=" + QByteArray(8 * 1024 * 1024, '7') + "\n";
        TMemIniFile ini;
        ini.LoadFromBytes(huge);
        QCOMPARE(ini.ValueText("A", "k", "").size(), 8 * 1024 * 1024);
        QCOMPARE(ini.ValueInt("A", "k", -1), -1);
    }
};

QTEST_GUILESS_MAIN(TestIniFiles)
#include "tst_inifiles.moc"

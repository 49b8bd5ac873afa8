// The per-user settings store: value kinds, defaults, the stored file's form and hand-written values.
#include "storage/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A double whose little-endian bytes are the printable text "ABCDEFGH", so the file shows them plainly.
double PrintableDouble() {
    return qFromLittleEndian<double>("ABCDEFGH");
}

// A settings file with a streamed value that claims a huge list, as the fuzzer found.
QByteArray StreamedSettings() {
    return "[Window]\nLeft=5\nBad=@Variant(\\0\\0\\0\\xb\\xd2\\xe8\\xea\\xc9)\n";
}

// The settings file of this program, with whatever stood there removed.
QString ClearedSettingsFile() {
    const QString path = TSettingsStore().FileName();
    QFile::remove(path);
    QDir(path).removeRecursively();
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

// A FIFO that a reader blocked on it would wait on for ever: after a while a writer opens and closes
// it, so a faulty test fails on what it checks instead of hanging.
struct TFifo {
    explicit TFifo(const QString& path) : path(QFile::encodeName(path)) {
        if (::mkfifo(this->path.constData(), 0600) != 0) qFatal("mkfifo");
        watchdog = std::thread([p = this->path] {
            ::sleep(5);
            const int fd = ::open(p.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
    }
    ~TFifo() { watchdog.detach(); }
    bool StillFifo() const {
        struct stat info {};
        return ::lstat(path.constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
    QByteArray path;
    std::thread watchdog;
};

// One run of the program as another process: reads its two values at start, waits for a line on
// standard input, then changes one of them (A the latitude, B the longitude) and, as the program does
// at close, writes both.
int RunInstance(const QByteArray& which) {
    double latitude = 0, longitude = 0;
    {
        const TSettingsStore s("Settings");
        latitude = s.ReadFloat("Latitude", 0);
        longitude = s.ReadFloat("Longitude", 0);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin)) return 2;
    (which == "A" ? latitude : longitude) += 1;
    TSettingsStore s("Settings");
    s.WriteFloat("Latitude", latitude);
    s.WriteFloat("Longitude", longitude);
    return 0;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void storedUnderTheConfigFolder() {
        TSettingsStore s("Any");
        QCOMPARE(QFileInfo(s.FileName()).absoluteFilePath(),
                 QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
                     .absoluteFilePath("Varnholt/storage_tst_settings.conf"));
    }

    void valueKindsRoundTrip() {
        {
            TSettingsStore s("Settings");
            s.WriteInteger("Int", -123456);
            s.WriteString("Text", QString::fromUtf8("Z\u00FCrich = 1; \"q\""));
            s.WriteBool("On", true);
            s.WriteBool("Off", false);
            s.WriteFloat("Altitude", 1234.5678);
            s.WriteFloat("Tiny", std::numeric_limits<double>::denorm_min());
            s.WriteFloat("Negative zero", -0.0);
        }
        TSettingsStore s("Settings");
        QCOMPARE(s.ReadInteger("Int", 0), -123456);
        QCOMPARE(s.ReadString("Text", ""), QString::fromUtf8("Z\u00FCrich = 1; \"q\""));
        QCOMPARE(s.ReadBool("On", false), true);
        QCOMPARE(s.ReadBool("Off", true), false);
        QCOMPARE(s.ReadFloat("Altitude", 0), 1234.5678);
        QCOMPARE(s.ReadFloat("Tiny", 0), std::numeric_limits<double>::denorm_min());
        QVERIFY(std::signbit(s.ReadFloat("Negative zero", 1)));
        // Kinds that do not fit the read give the default.
        QCOMPARE(s.ReadFloat("Int", 9.5), 9.5);
        QCOMPARE(s.ReadInteger("Altitude", 7), 7);
        QCOMPARE(s.ReadString("Altitude", "d"), QString("d"));
        QCOMPARE(s.ReadString("Int", ""), QString("-123456"));
    }

    void storedForm() {
        {
            TSettingsStore s("Form");
            s.WriteFloat("Double", PrintableDouble());
            s.WriteBool("Flag", true);
            s.WriteInteger("Count", 42);
        }
        const QByteArray bytes = FileBytes(TSettingsStore().FileName());
        QVERIFY2(bytes.contains("[Form]"), bytes);
        QVERIFY2(bytes.contains("Double=@ByteArray(ABCDEFGH)"), bytes); // 8 bytes, little-endian
        QVERIFY2(bytes.contains("Flag=1"), bytes);
        QVERIFY2(bytes.contains("Count=42"), bytes);
    }

    // A file written by hand (as a user or an older run may leave it) is read by the same rules.
    void handWrittenValues_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("integer"); // default -1
        QTest::addColumn<double>("real"); // default -2.5
        QTest::newRow("decimal text") << "Dec" << -12 << -2.5;
        QTest::newRow("$ hex text") << "Hex" << 31 << -2.5;
        QTest::newRow("top byte set") << "Color" << int(0x80000008u) << -2.5;
        QTest::newRow("0x is not read") << "CHex" << -1 << -2.5;
        QTest::newRow("trailing letters") << "Bad" << -1 << -2.5;
        QTest::newRow("empty") << "Empty" << -1 << -2.5;
        QTest::newRow("eight bytes") << "Float8" << -1 << PrintableDouble();
        QTest::newRow("three bytes") << "Float3" << -1 << -2.5;
        QTest::newRow("nine bytes") << "Float9" << -1 << -2.5;
        QTest::newRow("text is not a double") << "FloatText" << -1 << -2.5;
        QTest::newRow("missing") << "Nothing" << -1 << -2.5;
    }
    void handWrittenValues() {
        QFETCH(QString, name);
        QFETCH(int, integer);
        QFETCH(double, real);
        const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Varnholt/HandWritten.conf";
        if (!QFile::exists(path)) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Settings]\nDec=-12\nHex=$1F\nColor=$80000008\nCHex=0x1F\nBad=12x\nEmpty=\n"
                    "Float8=@ByteArray(ABCDEFGH)\nFloat3=@ByteArray(ABC)\nFloat9=@ByteArray(ABCDEFGHI)\n"
                    "FloatText=1.5\n");
        }
        TSettingsStore s("Settings", "HandWritten");
        QCOMPARE(s.ReadInteger(name, -1), integer);
        QCOMPARE(s.ReadFloat(name, -2.5), real);
        QCOMPARE(s.ReadBool(name, true), integer != 0);
    }

    // A stored NaN or infinity reads as the default: it would start the program with it in every row.
    void nonFiniteFloatGivesDefault() {
        {
            TSettingsStore s("NonFinite");
            s.WriteFloat("NaN", std::numeric_limits<double>::quiet_NaN());
            s.WriteFloat("Inf", std::numeric_limits<double>::infinity());
            s.WriteFloat("MinusInf", -std::numeric_limits<double>::infinity());
            s.WriteFloat("Max", std::numeric_limits<double>::max());
        }
        TSettingsStore s("NonFinite");
        for (const char* name : {"NaN", "Inf", "MinusInf"})
            QCOMPARE(s.ReadFloat(name, 7.25), 7.25);
        QCOMPARE(s.ReadFloat("Max", 7.25), std::numeric_limits<double>::max());
    }

    void missingSectionsAndRemoval() {
        TSettingsStore s("Nowhere");
        QCOMPARE(s.ReadInteger("x", 5), 5);
        QCOMPARE(s.ReadString("x", "d"), QString("d"));
        QCOMPARE(s.ReadBool("x", true), true);
        QCOMPARE(s.ReadFloat("x", 0.25), 0.25);

        s.OpenSection("SelectLocationForm");
        s.WriteString("Database", "World");
        s.WriteString("Region", "Europe");
        s.OpenSection("Other");
        s.WriteInteger("Keep", 1);
        s.OpenSection("SelectLocationForm");
        QVERIFY(s.ValueExists("Region"));
        s.DeleteValue("Region");
        QVERIFY(!s.ValueExists("Region"));
        QCOMPARE(s.ReadString("Database", ""), QString("World"));
        s.EraseSection();
        QVERIFY(!s.ValueExists("Database"));
        s.OpenSection("Other");
        QCOMPARE(s.ReadInteger("Keep", 0), 1);

        TSettingsStore top;
        top.EraseSection(); // no section open: nothing goes
        QCOMPARE(TSettingsStore("Other").ReadInteger("Keep", 0), 1);
    }

    // Two runs at once, each changing one value: both changes survive, whichever closes last.
    void twoInstancesKeepEachOthersChanges() {
        ClearedSettingsFile();
        {
            TSettingsStore s("Settings");
            s.WriteFloat("Latitude", 10);
            s.WriteFloat("Longitude", 20);
        }
        QProcess a, b;
        for (auto [process, which] : {std::pair{&a, "A"}, std::pair{&b, "B"}}) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QV_SETTINGS_INSTANCE", which);
            process->setProcessEnvironment(env);
            process->start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(process->waitForReadyRead(20000));
            QCOMPARE(process->readLine(), QByteArray("ready\n"));
        }
        for (QProcess* process : {&a, &b}) {
            process->write("go\n");
            QVERIFY(process->waitForFinished(20000));
            QCOMPARE(process->exitCode(), 0);
        }
        const TSettingsStore s("Settings");
        QCOMPARE(s.ReadFloat("Latitude", 0), 11.0);
        QCOMPARE(s.ReadFloat("Longitude", 0), 21.0);
    }

    // A settings file that is a FIFO is never opened: reads give defaults at once, writes are kept for
    // the run, the FIFO stays, and the user is told once.
    void fifoSettingsFileIsNeverOpened() {
        const QString path = ClearedSettingsFile();
        TFifo fifo(path);
        {
            TSettingsStore s("Settings");
            QCOMPARE(s.ReadFloat("Latitude", 5), 5.0);
            s.WriteFloat("Latitude", 7);
        }
        QCOMPARE(TSettingsStore("Settings").ReadFloat("Latitude", 5), 7.0);
        QVERIFY(fifo.StillFifo());
        const QString notice = TakeSettingsNotice();
        QVERIFY2(notice.contains(path) && notice.contains("not a regular file"), qPrintable(notice));
        QCOMPARE(TakeSettingsNotice(), QString());
        QFile::remove(path);
    }

    // Nothing that is not a regular file is replaced at close: a link to a FIFO (as to a device) stays
    // the link, a folder stays a folder.
    // A text of the program's own that starts like a streamed value is written escaped and read back.
    void textLikeAStreamedValueRoundTrips() {
        const QString path = ClearedSettingsFile();
        TSettingsStore("Settings").WriteString("Note", "@Variant(\\0\\0\\0\\xb)");
        TSettingsStore("Settings").WriteString("Other", "kept");
        QCOMPARE(TSettingsStore("Settings").ReadString("Note", ""), QString("@Variant(\\0\\0\\0\\xb)"));
        // Both are in the file itself, not only in a stand-in kept for the run.
        QVERIFY2(FileBytes(path).contains("Note=@@Variant(") && FileBytes(path).contains("Other=kept"),
                 FileBytes(path).constData());
    }

    void foreignSettingsFileIsNeverReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a FIFO") << "link";
        QTest::newRow("folder") << "folder";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("huge file") << "huge";
        QTest::newRow("streamed value") << "streamed";
    }
    void foreignSettingsFileIsNeverReplaced() {
        QFETCH(QString, kind);
        const QString path = ClearedSettingsFile();
        const QString target = path + ".target";
        QFile::remove(target);
        std::unique_ptr<TFifo> fifo;
        if (kind == "link") fifo = std::make_unique<TFifo>(target);
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "huge") {
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(MaxSettingsFileBytes + 1));
        } else if (kind == "streamed") {
            // A string list that claims 0xd2e8eac9 entries: reading it asked for 56 GB and aborted.
            QFile streamed(path);
            QVERIFY(streamed.open(QIODevice::WriteOnly));
            streamed.write(StreamedSettings());
        } else {
            QVERIFY(QFile::link(target, path));
        }
        {
            TSettingsStore s("Window");
            s.WriteInteger("Left", 40);
        }
        QCOMPARE(TSettingsStore("Window").ReadInteger("Left", 0), 40);
        if (kind == "folder") {
            QVERIFY(QFileInfo(path).isDir());
            QDir(path).removeRecursively();
        } else if (kind == "huge") {
            QCOMPARE(QFileInfo(path).size(), MaxSettingsFileBytes + 1);
            QFile::remove(path);
        } else if (kind == "streamed") {
            QCOMPARE(FileBytes(path), StreamedSettings());
            QFile::remove(path);
        } else {
            QCOMPARE(QFileInfo(path).symLinkTarget(), QFileInfo(target).absoluteFilePath());
            QCOMPARE(QFileInfo::exists(target), kind == "link");
            if (fifo) QVERIFY(fifo->StillFifo());
            QFile::remove(path);
        }
        QFile::remove(target);
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (const QByteArray which = qgetenv("QV_SETTINGS_INSTANCE"); !which.isEmpty()) return RunInstance(which);
    TestSettings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settings.moc"

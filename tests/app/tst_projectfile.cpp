// Project files through the document: the 56-byte little-endian layout, short, long and poisoned files,
// and saves that fail without destroying the previous file.
#include "app/ProjectFile.h"
#include "app/TCalcDocument.h"
#include "tests/common/ProjectBytes.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray FileBytes(std::initializer_list<double> values) {
    return ProjectFileBytes(values);
}

const QByteArray SampleFile = FileBytes({250, 51.5, -0.12, 0, -45, 30, 200.25});

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Limits the size of files this process may write, for the length of a scope.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead of a signal
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &FOld); }

private:
    rlimit FOld{};
};

// A project block built by hand, field by field, so the reader is not checked against the writer.
QByteArray Section(const QByteArray& text, quint16 version = 1, qint64 length = -1, int crcDelta = 0) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("QVXP", 4);
    out << version << quint16(qChecksum(QByteArrayView(text), Qt::ChecksumIso3309) + crcDelta)
        << quint32(length < 0 ? text.size() : length);
    out.writeRawData(text.constData(), int(text.size()));
    return bytes;
}

TProjectInfo SampleInfo() {
    TProjectInfo info;
    info.Title = QString::fromUtf8("Caf\u00e9 M\u00fcller, east wing");
    info.Number = "P-2026-017";
    info.Client = "Brandt & Co";
    info.Building = "Block B, north facade";
    info.Designer = "A. Designer";
    info.Checker = "C. Checker";
    info.Revision = "C2";
    info.Notes = "Line one\nback\\slash = kept";
    return info;
}

struct TMessages {
    QStringList Texts;
    explicit TMessages(TCalcDocument& doc) {
        doc.OnMessage = [this](const QString& t) { Texts << t; };
    }
};

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void saveResetInputs() {
        QTemporaryDir dir;
        const QString path = dir.filePath("reset.qvx");
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        TMessages messages(doc);
        QVERIFY(doc.SaveProject(path));
        QCOMPARE(ReadAll(path), FileBytes({1700, -26.13, 28.23, 30, 180, 90, 172.5}));
        QCOMPARE(doc.FileName(), path);
        QVERIFY(messages.Texts.isEmpty());
        QVERIFY(!doc.Solved()); // saving leaves the state alone
    }

    // ... and a solved document stays solved with its results.
    void saveKeepsSolved() {
        QTemporaryDir dir;
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        QVERIFY(doc.Solve());
        const int rows = doc.AnglesRows().size();
        QVERIFY(doc.SaveProject(dir.filePath("solved.qvx")));
        QVERIFY(doc.Solved());
        QCOMPARE(doc.StatusText(), QString("Solved..."));
        QCOMPARE(doc.AnglesRows().size(), rows);
    }

    void loadMarksOutOfDateAndKeepsGlass() {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.qvx");
        QVERIFY(WriteAll(path, SampleFile + QByteArray(8, '\x7f'))); // a tail after 56 bytes is ignored
        TCalcDocument doc;
        doc.SetGlassHeight(2.0);
        doc.SetGlassDepth(0.3);
        QVERIFY(doc.Solve());
        QVERIFY(doc.LoadProject(path));
        const TInputSet in = doc.CopyInputs();
        QCOMPARE(in.Altitude, 250.0);
        QCOMPARE(in.Latitude, 51.5);
        QCOMPARE(in.Longitude, -0.12);
        QCOMPARE(in.TimeZone, 0.0);
        QCOMPARE(in.Azimuth, -45.0);
        QCOMPARE(in.Slope, 30.0);
        QCOMPARE(in.DayNumber, 200.25);
        QCOMPARE(in.GlassHeight, 2.0);
        QCOMPARE(in.GlassWidth, 2.5);
        QCOMPARE(in.GlassDepth, 0.3);
        QVERIFY(!doc.Solved());
    }

    // Files that must be refused: "Error loading file...", no input changed, the path still taken.
    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("40 bytes") << SampleFile.left(40);
        QTest::newRow("55 bytes") << SampleFile.left(55);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("NaN latitude") << FileBytes({250, nan, -0.12, 0, -45, 30, 200.25});
        QTest::newRow("infinite day") << FileBytes({250, 51.5, -0.12, 0, -45, 30, inf});
        QTest::newRow("negative infinite altitude") << FileBytes({-inf, 51.5, -0.12, 0, -45, 30, 200});
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.qvx");
        QVERIFY(WriteAll(path, bytes));
        CheckLoadRefused(path);
    }

    void refusedPaths() {
        QTemporaryDir dir;
        CheckLoadRefused(dir.filePath("missing.qvx"));
        CheckLoadRefused(dir.path()); // a folder opens on Linux but cannot be read
        // A FIFO with no writer: Open returns at once with the message instead of waiting for ever.
        const QString fifo = dir.filePath("fifo.qvx");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        CheckLoadRefused(fifo);
        TInputSet inputs;
        QString reason;
        QVERIFY(!ReadProjectFile(fifo, inputs, &reason));
        QCOMPARE(reason, QString("not a regular file"));
    }

    // A symbolic link to a project file reads as the file.
    void loadThroughSymlink() {
        QTemporaryDir dir;
        QVERIFY(WriteAll(dir.filePath("real.qvx"), SampleFile));
        QVERIFY(QFile::link(dir.filePath("real.qvx"), dir.filePath("link.qvx")));
        TCalcDocument doc;
        QVERIFY(doc.LoadProject(dir.filePath("link.qvx")));
        QCOMPARE(doc.Latitude(), 51.5);
    }

    // A save that fails half-way, or cannot start, reports "Error saving file..." and leaves the
    // previous file as it was, with no stray temporary file beside it.
    void failedSaveKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.qvx");
        QVERIFY(WriteAll(path, SampleFile));
        TCalcDocument doc;
        TMessages messages(doc);
        {
            TFileSizeLimit limit(20); // the new file's write fails after 20 bytes
            QVERIFY(!doc.SaveProject(path));
        }
        QCOMPARE(ReadAll(path), SampleFile);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.qvx"});
        QCOMPARE(messages.Texts, QStringList{"Error saving file..."});
        QCOMPARE(doc.FileName(), path);
    }

    void failedSaveTargets() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.qvx"));
        QVERIFY(WriteAll(dir.filePath("folder.qvx/inside"), SampleFile));
        TCalcDocument doc;
        TMessages messages(doc);
        QVERIFY(!doc.SaveProject(dir.filePath("folder.qvx")));           // a folder in the way
        QVERIFY(!doc.SaveProject(dir.filePath("no/such/folder/x.qvx"))); // no folder to write in
        QCOMPARE(messages.Texts, QStringList({"Error saving file...", "Error saving file..."}));
        QCOMPARE(ReadAll(dir.filePath("folder.qvx/inside")), SampleFile);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    }

    // Saving over a FIFO used to report success and put a regular file in its place. It is refused,
    // and the FIFO stays; a symbolic link to a regular file is still followed.
    void saveRefusesWhatIsNotARegularFile() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo.qvx");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        TCalcDocument doc;
        TMessages messages(doc);
        QVERIFY(!doc.SaveProject(fifo));
        QCOMPARE(messages.Texts, QStringList{"Error saving file..."});
        struct stat info {};
        QCOMPARE(lstat(QFile::encodeName(fifo).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));

        QVERIFY(WriteAll(dir.filePath("real.qvx"), SampleFile));
        QVERIFY(QFile::link(dir.filePath("real.qvx"), dir.filePath("link.qvx")));
        doc.ApplyInputs(ResetInputSet());
        QVERIFY(doc.SaveProject(dir.filePath("link.qvx")));
        QVERIFY(QFileInfo(dir.filePath("link.qvx")).isSymLink());
        QCOMPARE(ReadAll(dir.filePath("real.qvx")), FileBytes({1700, -26.13, 28.23, 30, 180, 90, 172.5}));
    }

    // The writer never puts a value in a file that the reader would refuse.
    void writerRefusesNonFinite() {
        TInputSet inputs = ResetInputSet();
        inputs.Slope = std::numeric_limits<double>::infinity();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(!WriteProjectInputs(buffer, inputs));
        QCOMPARE(buffer.size(), 0);
    }

    // The project block follows the 56 bytes of inputs, which stay exactly as a reader of the old layout
    // expects them; it reads back field for field.
    void projectBlockRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath("block.qvx");
        TCalcDocument doc;
        doc.ApplyInputs(ResetInputSet());
        doc.SetProjectInfo(SampleInfo());
        QVERIFY(doc.SaveProject(path));
        const QByteArray bytes = ReadAll(path);
        QCOMPARE(bytes.left(56), FileBytes({1700, -26.13, 28.23, 30, 180, 90, 172.5}));
        QVERIFY(bytes.mid(56).startsWith("QVXP"));
        QVERIFY(bytes.contains("designer=A. Designer\n"));
        QVERIFY(bytes.contains(QString::fromUtf8("title=Caf\u00e9 M\u00fcller").toUtf8()));
        QVERIFY(bytes.contains("notes=Line one\\nback\\\\slash = kept\n"));

        TCalcDocument other;
        TMessages messages(other);
        QVERIFY(other.LoadProject(path));
        QCOMPARE(other.ProjectInfo(), SampleInfo());
        QCOMPARE(other.Azimuth(), 180.0);
        QVERIFY(messages.Texts.isEmpty());

        // An empty block adds nothing: the file is the 56 bytes it always was.
        doc.SetProjectInfo({});
        QVERIFY(doc.SaveProject(path));
        QCOMPARE(ReadAll(path).size(), 56);
    }

    // A file without a block (every file saved so far) opens as it always did and leaves the block of
    // the run alone, as the glass dimensions are left.
    void oldFileKeepsProjectBlock() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.qvx");
        QVERIFY(WriteAll(path, SampleFile));
        TCalcDocument doc;
        TMessages messages(doc);
        doc.SetProjectInfo(SampleInfo());
        QVERIFY(doc.LoadProject(path));
        QCOMPARE(doc.Latitude(), 51.5);
        QCOMPARE(doc.ProjectInfo(), SampleInfo());
        QVERIFY(messages.Texts.isEmpty());
    }

    // A damaged block never stops the inputs: they load, the block of the run stays, and the user is
    // told the details were not read.
    void damagedProjectBlock_data() {
        QTest::addColumn<QByteArray>("tail");
        const QByteArray text = "title=Tower\ndesigner=B\n";
        QTest::newRow("header cut short") << Section(text).left(9);
        QTest::newRow("text cut short") << Section(text).chopped(3);
        QTest::newRow("length past the file") << Section(text, 1, text.size() + 100);
        QTest::newRow("length of 4 GB") << Section(text, 1, 0xFFFFFFFFLL);
        QTest::newRow("longer than the largest block") << Section(QByteArray(20000, 'x'));
        QTest::newRow("changed byte") << Section(text, 1, -1, 1);
        QTest::newRow("unknown version") << Section(text, 2);
        QTest::newRow("not UTF-8") << Section("title=\xff\xfe\n");
    }
    void damagedProjectBlock() {
        QFETCH(QByteArray, tail);
        QTemporaryDir dir;
        const QString path = dir.filePath("damaged.qvx");
        QVERIFY(WriteAll(path, SampleFile + tail));
        TCalcDocument doc;
        TMessages messages(doc);
        doc.SetProjectInfo(SampleInfo());
        QVERIFY(doc.LoadProject(path));
        QCOMPARE(doc.DayNumber(), 200.25);
        QCOMPARE(doc.ProjectInfo(), SampleInfo());
        QCOMPARE(messages.Texts.size(), 1);
        QVERIFY2(messages.Texts[0].contains("damaged") && messages.Texts[0].contains("inputs were loaded"),
                 qPrintable(messages.Texts[0]));
    }

    // What a block may hold once read: each field within its length, no control characters but the
    // notes' line feeds; unknown keys (a later version's fields) skipped.
    void projectBlockTextRules() {
        TProjectInfo info = SampleInfo();
        const QByteArray text = "title=" + QByteArray(300, 'T') +
                                "\nclient=A\x01"
                                "B\tC\nfuture=x\n"
                                "notes=one\\ntwo\x07\n";
        QCOMPARE(DecodeProjectSection(Section(text), info), psRead);
        QCOMPARE(info.Title, QString(120, 'T'));
        QCOMPARE(info.Client, QString("ABC"));
        QCOMPARE(info.Notes, QString("one\ntwo"));
        QCOMPARE(info.Designer, QString()); // a field the block does not name is empty
        QCOMPARE(DecodeProjectSection("\x7f\x7f\x7f", info), psAbsent);
    }

private:
    void CheckLoadRefused(const QString& path) {
        TCalcDocument doc;
        TMessages messages(doc);
        int inputChanges = 0;
        doc.OnInputChanged = [&](TInputId, double) { ++inputChanges; };
        QVERIFY(doc.Solve());
        const TInputSet before = doc.CopyInputs();
        QVERIFY(!doc.LoadProject(path));
        QCOMPARE(messages.Texts, QStringList{"Error loading file..."});
        QCOMPARE(inputChanges, 0);
        for (int i = 0; i < InputCount; ++i)
            QCOMPARE(InputValue(doc.CopyInputs(), TInputId(i)), InputValue(before, TInputId(i)));
        QVERIFY(doc.Solved());
        QCOMPARE(doc.FileName(), path); // the next save proposes this path
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"

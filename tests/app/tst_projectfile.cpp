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

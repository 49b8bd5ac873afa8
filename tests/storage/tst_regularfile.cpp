// Reading a file opened through the regular-file opener up to a reader's cap.
#include "storage/RegularFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRegularFile : public QObject {
    Q_OBJECT

private slots:
    // What is there, up to the cap, from the file's position; the buffer follows what is read, so a
    // reader's cap of hundreds of megabytes costs a small file nothing. A file in /proc reports a size
    // of 0 and is still read whole.
    void readAtMost_data() {
        QTest::addColumn<int>(
            "size"); // the file written, of bytes 0, 1, 2, ... modulo 251; -1: /proc/self/status
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("expected"); // bytes read; -1: some
        QTest::newRow("small file, large cap") << 1000 << (qint64(256) << 20) << 0 << 1000;
        QTest::newRow("cut at the cap, over chunks") << 200'000 << qint64(100'001) << 0 << 100'001;
        QTest::newRow("exactly the cap") << 65'536 << qint64(65'536) << 0 << 65'536;
        QTest::newRow("from a position") << 1000 << qint64(4096) << 56 << 944;
        QTest::newRow("empty file") << 0 << qint64(4096) << 0 << 0;
        QTest::newRow("size unknown") << -1 << (qint64(1) << 20) << 0 << -1;
    }
    void readAtMost() {
        QFETCH(int, size);
        QFETCH(qint64, cap);
        QFETCH(int, from);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QByteArray written;
        for (int i = 0; i < size; ++i)
            written.append(char(i % 251));
        QString path = dir.filePath(QStringLiteral("f"));
        if (size < 0) {
            path = QStringLiteral("/proc/self/status");
        } else {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(written);
        }
        QFile file;
        QVERIFY(OpenRegularFile(file, path));
        QVERIFY(file.seek(from));
        const QByteArray bytes = ReadAtMost(file, cap);
        if (expected < 0) {
            QVERIFY(bytes.startsWith("Name:"));
        } else {
            QCOMPARE(bytes, written.mid(from, expected));
        }
        QVERIFY(bytes.capacity() <= std::max<qsizetype>(2 * bytes.size(), 128 * 1024));
    }
};

QTEST_GUILESS_MAIN(TestRegularFile)
#include "tst_regularfile.moc"

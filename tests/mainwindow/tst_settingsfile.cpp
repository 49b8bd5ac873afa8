// A settings file that is not a regular file: the program starts at once, says so once in a message,
// runs with its settings in memory, and leaves the file as it found it at close.
#include "app/Main.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void fifoSettingsFileIsSaidOnce() {
        const QString path = TSettingsStore().FileName();
        QFile::remove(path);
        QDir().mkpath(QFileInfo(path).path());
        const QByteArray fifo = QFile::encodeName(path);
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        // Should a reader block on the FIFO, a writer opens and closes it after a while, so that the
        // test fails on what it checks instead of hanging.
        std::thread([fifo] {
            ::sleep(5);
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }).detach();

        QStringList messages;
        const auto answer = [&] {
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                messages << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
        };
        {
            TMainForm form;
            answer();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTRY_COMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(path) && messages[0].contains("not a regular file"),
                     qPrintable(messages[0]));
            form.close();
        }
        QTest::qWait(100);
        QCOMPARE(messages.size(), 1); // said once, not again at close
        struct stat info {};
        QCOMPARE(::lstat(fifo.constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        QFile::remove(path);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"

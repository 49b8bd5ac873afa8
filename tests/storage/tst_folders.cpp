// Folder rules from explicit program paths, the user data folder's fall-back, and the running values.
#include "storage/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestFolders : public QObject {
    Q_OBJECT
private slots:
    void fromProgramPath_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("dataRoot");
        QTest::newRow("installed") << "/opt/Varnholt/Quorvane/quorvane"
                                   << "/opt/Varnholt/Quorvane/"
                                   << "quorvane"
                                   << "/opt/Varnholt/";
        QTest::newRow("Debian package, started by its link in /usr/bin")
            << "/usr/lib/quorvane/Varnholt/Quorvane/quorvane"
            << "/usr/lib/quorvane/Varnholt/Quorvane/"
            << "quorvane"
            << "/usr/lib/quorvane/Varnholt/";
        QTest::newRow("lower case maker keeps its case") << "/d/tools/varnholt/quorvane/quorvane.bin"
                                                         << "/d/tools/varnholt/quorvane/"
                                                         << "quorvane"
                                                         << "/d/tools/varnholt/";
        QTest::newRow("upper case maker keeps its case") << "/Home/U/VARNHOLT/Quorvane/q"
                                                         << "/Home/U/VARNHOLT/Quorvane/"
                                                         << "q"
                                                         << "/Home/U/VARNHOLT/";
        QTest::newRow("mixed case, first match") << "/x/vArNhOlT/y/Varnholt/q"
                                                 << "/x/vArNhOlT/y/Varnholt/"
                                                 << "q"
                                                 << "/x/vArNhOlT/";
        QTest::newRow("maker inside a longer name") << "/srv/VarnholtTools/q"
                                                    << "/srv/VarnholtTools/"
                                                    << "q"
                                                    << "/srv/Varnholt/";
        QTest::newRow("4qz") << "/srv/4QZ/app/q"
                             << "/srv/4QZ/app/"
                             << "q"
                             << "/srv/4QZ/";
        QTest::newRow("maker wins over 4qz") << "/a/4qz/Varnholt/b/q"
                                             << "/a/4qz/Varnholt/b/"
                                             << "q"
                                             << "/a/4qz/Varnholt/";
        QTest::newRow("neither: program files") << "/usr/local/bin/quorvane"
                                                << "/usr/local/bin/"
                                                << "quorvane"
                                                << "/opt/Varnholt/";
        QTest::newRow("maker only in the file name") << "/usr/bin/varnholt-q"
                                                     << "/usr/bin/"
                                                     << "varnholt-q"
                                                     << "/opt/Varnholt/";
        QTest::newRow("last extension dropped") << "/p/a.b.exe"
                                                << "/p/"
                                                << "a.b"
                                                << "/opt/Varnholt/";
    }
    void fromProgramPath() {
        QFETCH(QString, program);
        QFETCH(QString, folder);
        QFETCH(QString, baseName);
        QFETCH(QString, dataRoot);
        const TFolderSet set = ComputeFolders(program, "/home/u/Documents");
        QCOMPARE(set.ProgramFolder, folder);
        QCOMPARE(set.ProgramBaseName, baseName);
        QCOMPARE(set.DataRoot, dataRoot);
        QCOMPARE(set.DatabaseFolder, dataRoot + "Common Files/");
        QCOMPARE(set.MyDocumentsFolder, QString("/home/u/Documents/"));
        QCOMPARE(set.UserDataFolder, "/home/u/Documents/Varnholt/" + baseName + "/");
        QCOMPARE(set.ProgramFilesFolder, QString("/opt/"));
    }

    void otherProgramFilesFolder() {
        QCOMPARE(DataRootOf("/usr/bin/", "/usr/local"), QString("/usr/local/Varnholt/"));
    }

    void userDataFolderCreatedOrFallsBack() {
        QTemporaryDir dir;
        const QString wanted = dir.filePath("Docs/Varnholt/quorvane/");
        QCOMPARE(ResolveUserDataFolder(wanted, "/prog/"), wanted);
        QVERIFY(QFileInfo(wanted).isDir());
        QCOMPARE(ResolveUserDataFolder(wanted, "/prog/"), wanted); // already there

        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(ResolveUserDataFolder(dir.filePath("blocker/Varnholt/q/"), "/prog/"), QString("/prog/"));
    }

    void runningProgram() {
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(ProgramBaseName(), QString("storage_tst_folders"));
        QVERIFY(!QFileInfo::exists(InitFolders().UserDataFolder)); // not created before it is asked for
        QVERIFY(UserDataFolder().endsWith("/Varnholt/storage_tst_folders/"));
        QVERIFY(QFileInfo(UserDataFolder()).isDir());
        QVERIFY(DatabaseFolder().startsWith(DataRoot()));
        QCOMPARE(SettingsKeyPath(), QString("Software/Varnholt/storage_tst_folders"));
        QCOMPARE(SettingsKeyPath("/x/y/Other.exe"), QString("Software/Varnholt/Other"));
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"

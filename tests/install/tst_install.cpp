// `cmake --install` of this build tree into a temporary folder: the program tree with its help page and
// location database where the installed program looks for them, the desktop entry (checked with
// desktop-file-validate), the MIME type of project files, the icons and the AppStream metainfo; then the
// uninstall target's script removes it all again.
#include "storage/Folders.h"
#include "tests/common/TestPaths.h"
#include "version/TxVerInfo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TRun {
    int exitCode = -1;
    QString output;
};

TRun Run(const QString& program, const QStringList& args, const QString& destDir = QString()) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!destDir.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", destDir);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    if (!p.waitForFinished(120000)) return {-1, QStringLiteral("did not finish")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

QString FileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString Tool(const char* name) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty()) qWarning("%s is missing; scripts/install-deps.sh installs it", name);
    return path;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

private slots:
    void installedTree_data() {
        QTest::addColumn<QString>("prefix");  // the install prefix; empty: the temporary folder itself
        QTest::addColumn<QString>("datadir"); // where the desktop files go, below the staging folder
        QTest::newRow("user prefix") << QString() << QStringLiteral("share");
        QTest::newRow("staged under /opt") << QStringLiteral("/opt") << QStringLiteral("usr/local/share");
    }
    void installedTree() {
        QFETCH(QString, prefix);
        QFETCH(QString, datadir);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        // Staged with DESTDIR under a fixed prefix, or installed straight into the temporary prefix.
        const QString root = tmp.path() + "/";
        const QString destDir = prefix.isEmpty() ? QString() : tmp.path();
        const QString installPrefix = prefix.isEmpty() ? tmp.path() : prefix;
        const TRun install =
            Run(QV_CMAKE_COMMAND, {"--install", BinaryPath(""), "--prefix", installPrefix}, destDir);
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));

        // The program tree, and the folders the installed program computes for itself.
        const QString stagedPrefix = prefix.isEmpty() ? tmp.path() : tmp.path() + prefix;
        const QString program = stagedPrefix + "/Varnholt/Quorvane/quorvane";
        QVERIFY(QFileInfo(program).isExecutable());
        QString version = QStringLiteral(QV_PROJECT_VERSION);
        while (version.count('.') < 3)
            version += QStringLiteral(".0");
        QCOMPARE(GetFileVersionText(program), version);
        const TFolderSet folders = ComputeFolders(program, tmp.path() + "/Documents/");
        QCOMPARE(folders.ProgramFolder, stagedPrefix + "/Varnholt/Quorvane/");
        QVERIFY(QFileInfo(folders.ProgramFolder + "Help/Quorvane.htm").isFile());
        QCOMPARE(folders.DatabaseFolder, stagedPrefix + "/Varnholt/Common Files/");
        for (const char* file : {"Regions.idx", "+All.qdb", "World Cities.qdb"})
            QVERIFY2(QFileInfo(folders.DatabaseFolder + file).isFile(), file);

        // The desktop entry names the installed program and opens project files.
        const QString share = root + datadir + "/";
        const QString entry = share + "applications/com.varnholt.quorvane.desktop";
        QVERIFY(QFileInfo(entry).isFile());
        const QStringList lines = FileText(entry).split('\n');
        QVERIFY(lines.contains("Exec=" + installPrefix + "/Varnholt/Quorvane/quorvane %f"));
        QVERIFY(lines.contains("MimeType=application/x-quorvane-project;"));
        QVERIFY(lines.contains("Icon=com.varnholt.quorvane"));
        const QString validate = Tool("desktop-file-validate");
        QVERIFY(!validate.isEmpty());
        const TRun valid = Run(validate, {entry});
        QVERIFY2(valid.exitCode == 0 && valid.output.trimmed().isEmpty(), qPrintable(valid.output));

        const QString mimeText = FileText(share + "mime/packages/com.varnholt.quorvane.xml");
        QVERIFY(mimeText.contains("type=\"application/x-quorvane-project\""));
        QVERIFY(mimeText.contains("<glob pattern=\"*.qvx\"/>"));

        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(share +
                              QStringLiteral("icons/hicolor/%1x%1/apps/com.varnholt.quorvane.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
        }

        const QString metainfo = share + "metainfo/com.varnholt.quorvane.metainfo.xml";
        QVERIFY(QFileInfo(metainfo).isFile());
        const QString appstream = Tool("appstreamcli");
        QVERIFY(!appstream.isEmpty());
        const TRun meta = Run(appstream, {"validate", "--no-net", "--pedantic", metainfo});
        // Not even a pedantic hint: "P: ...", "I: ..." and worse name a line each.
        QVERIFY2(meta.exitCode == 0 && !meta.output.contains(QRegularExpression(
                                           "^[PIWE]: ", QRegularExpression::MultilineOption)),
                 qPrintable(meta.output));
        QVERIFY(FileText(metainfo).contains(QStringLiteral("<release version=\"%1\" date=\"%2\"/>")
                                                .arg(QV_PROJECT_VERSION, QV_RELEASE_DATE)));

        // An install of one's own refreshes the desktop's three caches; a staged one leaves them to its
        // package.
        for (const char* cache :
             {"mime/mime.cache", "applications/mimeinfo.cache", "icons/hicolor/icon-theme.cache"})
            QVERIFY2(QFileInfo::exists(share + cache) == destDir.isEmpty(), cache);
        if (destDir.isEmpty()) {
            QVERIFY(FileText(share + "applications/mimeinfo.cache")
                        .contains("application/x-quorvane-project=com.varnholt.quorvane.desktop"));
            QVERIFY(FileText(share + "mime/globs2").contains("application/x-quorvane-project:*.qvx"));
        }

        // Uninstall removes every installed file and the program's folders.
        const TRun uninstall = Run(QV_CMAKE_COMMAND,
                                   {"-DQV_MANIFEST=" + BinaryPath("/install_manifest.txt"), "-P",
                                    SourcePath("/cmake/Uninstall.cmake")},
                                   destDir);
        QVERIFY2(uninstall.exitCode == 0, qPrintable(uninstall.output));
        QVERIFY(!QFileInfo::exists(stagedPrefix + "/Varnholt"));
        QVERIFY(!QFileInfo::exists(entry));
        // Only the desktop's own caches may remain, and they no longer know the program.
        for (QDirIterator left(tmp.path(), QDir::Files, QDirIterator::Subdirectories); left.hasNext();) {
            const QString file = left.next();
            QVERIFY2(!file.contains("Varnholt") && !file.contains("com.varnholt"), qPrintable(file));
            QVERIFY2(!FileText(file).contains("quorvane"), qPrintable(file));
        }
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"

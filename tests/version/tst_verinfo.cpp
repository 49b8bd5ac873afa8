// The version block: the one the build embeds in this test's executable and in the program, blocks
// written into files, and every way a file can fail to give one.
#include "tests/common/TestPaths.h"
#include "version/ProgramVersion.h"
#include "version/TxVerInfo.h"
#include "version/VersionBlock.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray BlockBytes(const verblock::TValues& values) {
    const auto block = verblock::Encode(values);
    return QByteArray(reinterpret_cast<const char*>(block.Bytes.data()), qsizetype(block.Size));
}

verblock::TValues Values(quint32 flags, quint32 mask = verblock::FlagsMask) {
    verblock::TValues v;
    v.FileVersion = {3, 14, 1, 592};
    v.ProductVersion = {3, 14, 0, 0};
    v.Flags = flags;
    v.Mask = mask;
    v.CompanyName = "Varnholt";
    return v;
}

// Some bytes of an executable around the block, so the reader has to find it.
QByteArray InFile(const QByteArray& block) {
    return QByteArray(1000, '\x90') + "\x7FQV-VERSION" + block + QByteArray(333, '\0');
}

} // namespace

class TestVerInfo : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString Write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void blockTheBuildEmbedded() {
        const QString self = QCoreApplication::applicationFilePath();
        QCOMPARE(GetFileVersionText(self), QStringLiteral("2.1.0.15"));
        const TVerInfoRes info(self);
        QCOMPARE(info.ProductVersionText(), QStringLiteral("2.1.0.15"));
        QCOMPARE(info.FlagTexts(), QStringList({"Pre-release", "Debug"}));
        QCOMPARE(info.Language(), quint16(0x0409));
        QCOMPARE(info.CodePage(), quint16(1252));
        QCOMPARE(info.StringValue("CompanyName"), QStringLiteral("Varnholt"));
        QCOMPARE(info.StringValue("ProductName"), QStringLiteral("Quorvane"));
        QCOMPARE(info.StringValue("FileVersion"), QStringLiteral("2.1.0.15"));
        QCOMPARE(info.StringValue("Comments"), QString());
    }

    void programCarriesTheProjectVersion() {
        const QString program = BinaryPath("/Varnholt/Quorvane/quorvane");
        QString expected = QStringLiteral(QV_PROJECT_VERSION);
        while (expected.count('.') < 3)
            expected += QStringLiteral(".0");
        QCOMPARE(ProgramVersionText(program), expected);
        QCOMPARE(MainCaption(ProgramVersionText(program)), "Quorvane - Version " + expected);
        // The reader's own library carries no block.
        QCOMPARE(ProgramVersionText(BinaryPath("/report/libreport.a")), QString());
        QCOMPARE(MainCaption(QString()), QStringLiteral("Quorvane"));
    }

    void flagTexts_data() {
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<quint32>("mask");
        QTest::addColumn<QStringList>("texts");
        using namespace verblock;
        QTest::newRow("none") << 0u << FlagsMask << QStringList();
        QTest::newRow("pre-release and debug")
            << (FlagDebug | FlagPreRelease) << FlagsMask << QStringList({"Pre-release", "Debug"});
        QTest::newRow("all four in order")
            << (FlagDebug | FlagSpecialBuild | FlagPrivateBuild | FlagPreRelease) << FlagsMask
            << QStringList({"Pre-release", "Private build", "Special build", "Debug"});
        QTest::newRow("flags without text") << (FlagPatched | FlagInfoInferred) << FlagsMask << QStringList();
        QTest::newRow("outside the mask")
            << (FlagDebug | FlagPreRelease) << FlagDebug << QStringList({"Debug"});
    }
    void flagTexts() {
        QFETCH(quint32, flags);
        QFETCH(quint32, mask);
        QFETCH(QStringList, texts);
        const TVerInfoRes info(Write(InFile(BlockBytes(Values(flags, mask)))));
        QCOMPARE(info.FlagTexts(), texts);
        QCOMPARE(info.FileVersionText(), QStringLiteral("3.14.1.592"));
        QCOMPARE(info.ProductVersionText(), QStringLiteral("3.14.0.0"));
    }

    void partsUseAllSixteenBits() {
        verblock::TValues v = Values(0);
        v.FileVersion = {65535, 0, 40000, 1};
        QCOMPARE(GetFileVersionText(Write(BlockBytes(v))), QStringLiteral("65535.0.40000.1"));
    }

    void strayMarkerBeforeTheBlock() {
        // A copy of the marker followed by anything but a matching size is not a block.
        const QByteArray marker(reinterpret_cast<const char*>(verblock::Marker.data()),
                                verblock::Marker.size());
        const QByteArray file = marker + QByteArray(8, '\x01') + marker + InFile(BlockBytes(Values(0)));
        QCOMPARE(GetFileVersionText(Write(file)), QStringLiteral("3.14.1.592"));
    }

    void errors_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("kind"); // 0 EVerInfoError, 1 ENoVerInfoError, 2 eNoFixeVerInfo
        const QByteArray block = BlockBytes(Values(0));
        const QByteArray marker(reinterpret_cast<const char*>(verblock::Marker.data()),
                                verblock::Marker.size());
        const QString none = QStringLiteral("No Version Info Available.");
        const QString unreadable = QStringLiteral("Cannot obtain version info.");

        QTest::newRow("plain text") << QByteArray("just some text\n") << none << 1;
        QTest::newRow("empty file") << QByteArray() << none << 1;
        QTest::newRow("marker without a size") << marker + QByteArray(3, '\0') << none << 1;
        QTest::newRow("size and complement differ") << marker + QByteArray(8, '\0') << none << 1;
        QTest::newRow("empty block") << marker + QByteArray(4, '\0') + QByteArray(4, '\xFF') << none << 1;
        QTest::newRow("block cut short") << block.left(block.size() - 5) << unreadable << 0;
        QByteArray broken = block;
        broken[verblock::HeaderSize + 1] = '\x7F'; // the first key's length runs past the payload
        QTest::newRow("entries do not fit") << broken << unreadable << 0;

        verblock::TValues v = Values(0);
        v.WithTranslation = false;
        QTest::newRow("no translation") << BlockBytes(v) << QStringLiteral("No language info.") << 0;
        v = Values(0);
        v.WithFixedInfo = false;
        QTest::newRow("no fixed info") << BlockBytes(v) << QStringLiteral("No fixed file info") << 2;
        v.WithFixedInfo = true;
        v.FixedInfoBytes = 48;
        QTest::newRow("fixed info of 48 bytes") << BlockBytes(v) << QStringLiteral("No fixed file info") << 2;
    }
    void errors() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, kind);
        const QString path = Write(bytes);
        try {
            TVerInfoRes info(path);
            QFAIL("no error raised");
        } catch (const ENoVerInfoError& e) {
            QCOMPARE(kind, 1);
            QCOMPARE(e.Message(), message);
        } catch (const eNoFixeVerInfo& e) {
            QCOMPARE(kind, 2);
            QCOMPARE(e.Message(), message);
        } catch (const EVerInfoError& e) {
            QCOMPARE(kind, 0);
            QCOMPARE(e.Message(), message);
        }
        QCOMPARE(ProgramVersionText(path), QString());
    }

    void missingFileHasNoVersionInfo() {
        QVERIFY_THROWS_EXCEPTION(ENoVerInfoError, TVerInfoRes(dir.filePath("missing.exe")));
    }
};

QTEST_GUILESS_MAIN(TestVerInfo)
#include "tst_verinfo.moc"

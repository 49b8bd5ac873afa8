// The location database reader: record layout, file naming, listing, reading and region labels.
#include "LocationFixture.h"
#include "locations/LocationDb.h"
#include "locations/LocationSummary.h"
#include "locations/PlaceListModel.h"

#include <QLocale>
#include <QTest>
#include <QtEndian>

#include <bit>
#include <cstring>
#include <limits>

#include <sys/stat.h>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// One record assembled byte by byte, independent of the encoder, so that a wrong offset, byte order
// or field order in the decoder shows.
QByteArray HandMadeRecord(int32_t database, int32_t region, QByteArray nameField, float first) {
    QByteArray bytes(LocationRecordSize, '\0');
    qToLittleEndian<qint32>(database, bytes.data());
    qToLittleEndian<qint32>(region, bytes.data() + 4);
    std::memcpy(bytes.data() + 8, nameField.constData(), size_t(std::min<qsizetype>(nameField.size(), 32)));
    for (int i = 0; i < 11; ++i)
        qToLittleEndian<quint32>(std::bit_cast<quint32>(first + float(i)), bytes.data() + 40 + 4 * i);
    return bytes;
}

std::vector<int> Numbers(const std::vector<TPlaceEntry>& places) {
    std::vector<int> numbers;
    for (const TPlaceEntry& p : places)
        numbers.push_back(p.Rec.RecordIndex);
    return numbers;
}

} // namespace

class TestLocationDb : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void decodesFieldsInFileOrder() {
        const QByteArray bytes = HandMadeRecord(-2, 0x01020304, QByteArray("\x05Z\xFCri\x80xyz", 9), 10.5f);
        const LocationRecord r = DecodeLocationRecord(bytes.constData());
        QCOMPARE(r.DatabaseCode, -2);
        QCOMPARE(r.RegionCode, 0x01020304);
        QCOMPARE(r.PlaceName, QString::fromUtf8("Züri€")); // Windows-1252 bytes, only the first five
        const float fields[] = {r.Latitude,     r.Longitude,     r.TimeZone,      r.Altitude,
                                r.CoolingFirst, r.CoolingSecond, r.HeatingDesign, r.WindSpeed,
                                r.MaxDryBulb,   r.MinDryBulb,    r.DryBulbRange};
        for (int i = 0; i < 11; ++i)
            QCOMPARE(fields[i], 10.5f + float(i));

        LocationRecordBytes encoded;
        QVERIFY(EncodeLocationRecord(r, encoded));
        QCOMPARE(DecodeLocationRecord(encoded.data()), r);
    }

    void nameLengthAboveFieldReadsThirtyOne() {
        const QByteArray name = char(200) + QByteArray(31, 'a');
        QCOMPARE(DecodeLocationRecord(HandMadeRecord(0, 0, name, 0).constData()).PlaceName,
                 QString(31, u'a'));
    }

    void encoderRefusesNamesThatDoNotFit() {
        LocationRecordBytes out;
        QVERIFY(EncodeLocationRecord(Place(0, 0, QString(31, u'x')), out));
        QVERIFY(!EncodeLocationRecord(Place(0, 0, QString(32, u'x')), out));
        QVERIFY(!EncodeLocationRecord(Place(0, 0, QString::fromUtf8("Łódź")), out));
    }

    void fileNames_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "Lakes"
                               << "Lakes.qdb";
        QTest::newRow("all") << "+All"
                             << "+All.qdb";
        QTest::newRow("period cuts the rest") << "Ft. Rock"
                                              << "Ft.qdb";
        QTest::newRow("last period") << "U.S.A"
                                     << "U.S.qdb";
        QTest::newRow("empty") << ""
                               << ".qdb";
    }
    void fileNames() {
        QFETCH(QString, database);
        QFETCH(QString, file);
        QCOMPARE(DatabaseFileName(database), file);
    }

    void truncatedFileReadsWholeRecordsOnly() {
        TLocationFixture f;
        f.WriteIndex("[Lakes]\r\n+All=0\r\n");
        f.WriteFile("Lakes.qdb",
                    TLocationFixture::Records(LakesRecords()).left(3 * 84) + QByteArray(10, 'x'));
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open("Lakes"));
        QCOMPARE(Numbers(db.ListPlaces(0)), (std::vector<int>{0, 1, 2}));
        QCOMPARE(db.Record().PlaceName, QString("Ashford")); // the last whole record
        QCOMPARE(db.RecordPosition(), std::make_pair(3, 3));
        QVERIFY_THROWS_EXCEPTION(EFOpenError, db.ReadRecord(3));
    }

    void scanKeepsRecordsWholeAcrossBufferRefills() {
        // More records than one buffer holds, so records straddle the refills.
        TLocationFixture f;
        std::vector<LocationRecord> many;
        for (int i = 0; i < 2000; ++i)
            many.push_back(Place(1, i % 5, QString::number(i), float(i)));
        f.WriteFile("Big.qdb", TLocationFixture::Records(many) + QByteArray(83, '\1'));
        int seen = 0;
        bool ok = true;
        QCOMPARE(TQdbFile(f.Path("Big.qdb")).Scan([&](const char* bytes, int number) {
            const LocationRecord r = DecodeLocationRecord(bytes);
            ok = ok && number == seen && r.PlaceName == QString::number(seen) && r.Latitude == float(seen);
            ++seen;
        }),
                 2000);
        QVERIFY(ok);
    }

    void listsByRegionOrDatabaseCode_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("region");
        QTest::addColumn<std::vector<int>>("records");
        QTest::newRow("all regions") << "Lakes"
                                     << "+All" << std::vector<int>{0, 1, 2, 3, 4};
        QTest::newRow("region code 3, equal names kept apart") << "Lakes"
                                                               << "North" << std::vector<int>{0, 2};
        QTest::newRow("key lookup ignores case") << "Lakes"
                                                 << "SOUTH" << std::vector<int>{1, 4};
        QTest::newRow("unknown region lists all") << "Lakes"
                                                  << "Nowhere" << std::vector<int>{0, 1, 2, 3, 4};
        QTest::newRow("database code in +All, whatever the region")
            << "+All"
            << "Lakes" << std::vector<int>{0, 1, 2, 3, 4};
        QTest::newRow("+All name compared without case") << "+all"
                                                         << "Hills" << std::vector<int>{5, 6};
    }
    void listsByRegionOrDatabaseCode() {
        QFETCH(QString, database);
        QFETCH(QString, region);
        QFETCH(std::vector<int>, records);
        TLocationFixture f;
        WriteSampleDatabase(f);
        QVERIFY(QFile::copy(f.Path("+All.qdb"), f.Path("+all.qdb"))); // file names are case-sensitive here
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open(database));
        QCOMPARE(Numbers(db.ListPlaces(db.RegionCode(database, region))), records);
    }

    // Names are kept from one listing to the next; a record rewritten in between lists its new name.
    void listingAgainReadsRewrittenNames() {
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open("Lakes"));
        const auto names = [&db] {
            QStringList list;
            for (const TPlaceEntry& e : db.ListPlaces(0))
                list << e.PlaceName;
            return list;
        };
        QCOMPARE(names(), QStringList({"Ashford", "brook", "Ashford", "Unfiled", "Cove"}));
        std::vector<LocationRecord> records = LakesRecords();
        records[0].PlaceName = "Ashforf"; // same length, last letter differs
        records[1].PlaceName = "";
        records[3].PlaceName = QString::fromUtf8("Unfil\u20ac\u0161"); // bytes 0x80 and 0x9A
        f.WriteRecords("Lakes.qdb", records);
        QCOMPARE(names(),
                 QStringList({"Ashforf", "", "Ashford", QString::fromUtf8("Unfil\u20ac\u0161"), "Cove"}));
        QVERIFY(!db.ListPlaces(0)[1].PlaceName.isNull());
        records[3].PlaceName = QString::fromUtf8("Unfil\u20ac\u0160"); // 0x9A becomes 0x8A
        f.WriteRecords("Lakes.qdb", records);
        QCOMPARE(names().value(3), QString::fromUtf8("Unfil\u20ac\u0160"));
    }

    void indexListsAndReadsRecords() {
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QCOMPARE(db.DatabaseNames(), QStringList({"+All", "Lakes", "Hills"}));
        QCOMPARE(db.RegionNames("lakes"), QStringList({"+All", "North", "South"}));
        QVERIFY(db.Open("Lakes"));
        QCOMPARE(db.ReadRecord(4).PlaceName, QString("Cove"));
        QCOMPARE(db.RecordPosition(), std::make_pair(5, 5));
    }

    void missingFileKeepsThePreviousDatabase() {
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open("Hills"));
        QVERIFY(!db.Open("Ft. Rock")); // Ft.qdb is not there
        QCOMPARE(db.OpenDatabase(), QString("Hills"));
        QCOMPARE(db.ListPlaces(0).size(), size_t(2));
        QCOMPARE(MissingDatabaseMessage("Ft. Rock"),
                 QString("The Ft. Rock Database has not been installed...\r\n"
                         "Please install the Varnholt Terralog Database."));
    }

    void missingOrGarbledIndexGivesNoDatabases() {
        TLocationFixture f;
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.DatabaseNames().isEmpty());
        QVERIFY(!db.Open(db.DatabaseNames().value(0)));
        f.WriteIndex(QByteArray("\xff\xfe[\x01=\x00garbage", 14) + QByteArray(300, '\x9c'));
        db.LoadIndex(f.Folder());
        QCOMPARE(db.RegionCode("x", "y"), 0);
    }

    void regionLabels_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("dbCode");
        QTest::addColumn<int>("regionCode");
        QTest::addColumn<QString>("label");
        QTest::newRow("region of the selected database") << "Lakes"
                                                         << "North" << 7 << 3 << "North";
        QTest::newRow("all regions: key of the record's code") << "Lakes"
                                                               << "+All" << 7 << 4 << "South";
        QTest::newRow("no region: the database") << "Lakes"
                                                 << "North" << 7 << 0 << "Lakes";
        QTest::newRow("+All, all regions: region of the record's database") << "+All"
                                                                            << "+All" << 7 << 3 << "North";
        QTest::newRow("+All, other database with the same region code") << "+All"
                                                                        << "+All" << 2 << 3 << "Ridge";
        QTest::newRow("+All, a database chosen as region") << "+All"
                                                           << "Lakes" << 7 << 3 << "Lakes";
        QTest::newRow("+All, no region: its database") << "+All"
                                                       << "+All" << 2 << 0 << "Hills";
        QTest::newRow("+All, unknown database code") << "+All"
                                                     << "+All" << 9 << 0 << "";
        QTest::newRow("+All, unknown region code") << "+All"
                                                   << "+All" << 7 << 8 << "";
    }
    void regionLabels() {
        QFETCH(QString, database);
        QFETCH(QString, region);
        QFETCH(int, dbCode);
        QFETCH(int, regionCode);
        QFETCH(QString, label);
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        const LocationRecord r = Place(dbCode, regionCode, "Ashford");
        QCOMPARE(db.RegionLabel(r, database, region), label);
        QCOMPARE(db.RegionLabel(r, database, region), label); // answered again, from memory
        QCOMPARE(db.PickedName(r, database, region), "Ashford, " + label);
    }

    void rememberedLabelsAnswerForTheWholeRun() {
        // Once found, a label comes from memory through later loads of the index: an index that now
        // names code 7 and region 3 differently does not change it.
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QCOMPARE(db.RegionLabel(Place(7, 3, "x"), "+All", "+All"), QString("North"));
        f.WriteIndex("[+All]\r\nMeres=7\r\n[Meres]\r\nUpper=3\r\n");
        db.Release();
        db.LoadIndex(f.Folder());
        QCOMPARE(db.RegionLabel(Place(7, 3, "x"), "+All", "+All"), QString("North"));
        // A request that differs is looked up in the index read now.
        QCOMPARE(db.RegionLabel(Place(7, 0, "x"), "+All", "+All"), QString("Lakes"));
        QCOMPARE(db.RegionLabel(Place(8, 3, "x"), "+All", "+All"), QString());
    }

    void corruptRecordsAreNeitherListedNorRead_data() {
        QTest::addColumn<int>("field"); // offset of the float field
        QTest::addColumn<float>("value");
        QTest::newRow("NaN latitude") << 40 << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("infinite range") << 80 << std::numeric_limits<float>::infinity();
        QTest::newRow("minus infinite time zone") << 48 << -std::numeric_limits<float>::infinity();
    }
    void corruptRecordsAreNeitherListedNorRead() {
        QFETCH(int, field);
        QFETCH(float, value);
        QByteArray bytes = TLocationFixture::Records(LakesRecords());
        for (int record : {1, 4}) // the last record too: the buffer must not end holding it
            qToLittleEndian<quint32>(std::bit_cast<quint32>(value), bytes.data() + record * 84 + field);
        TLocationFixture f;
        f.WriteIndex(SampleIndex());
        f.WriteFile("Lakes.qdb", bytes);
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open("Lakes"));
        QCOMPARE(Numbers(db.ListPlaces(db.RegionCode("Lakes", "South"))), std::vector<int>{});
        QCOMPARE(db.SkippedRecords(), 2);
        QCOMPARE(Numbers(db.ListPlaces(0)), (std::vector<int>{0, 2, 3}));
        QCOMPARE(db.SkippedRecords(), 2);
        QCOMPARE(db.Record(), LakesRecords()[3]); // the last sound record
        QCOMPARE(db.RecordPosition(), std::make_pair(4, 5));
        QVERIFY_THROWS_EXCEPTION(EFOpenError, db.ReadRecord(1));
        QCOMPARE(db.Record(), LakesRecords()[3]);
    }

    void lineWithoutEqualsIsNoRegion() {
        TLocationFixture f;
        f.WriteIndex(
            "[+All]\r\n+All=0\r\nstray\r\nLakes=7\r\n[Lakes]\r\n+All=0\r\nloose line\r\nNorth=3\r\n");
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QCOMPARE(db.RegionNames("Lakes"), QStringList({"+All", "North"}));
        QCOMPARE(db.RegionNames("+All"), QStringList({"+All", "Lakes"}));
        QCOMPARE(db.RegionLabel(Place(7, 0, "x"), "+All", "+All"), QString("Lakes"));
    }

    void readsTheSameFromMemory() {
        TLocationFixture f;
        WriteSampleDatabase(f);
        TLocationDatabase disk, memory;
        disk.LoadIndex(f.Folder());
        TRecordFiles files;
        for (const char* name : {"Lakes.qdb", "Hills.qdb", "+All.qdb"}) {
            QFile file(f.Path(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            files.insert(name, file.readAll());
        }
        memory.LoadIndex(SampleIndex(), files);
        QCOMPARE(memory.DatabaseNames(), disk.DatabaseNames());
        QVERIFY(!memory.Open("Gone"));
        for (const QString& name : disk.DatabaseNames()) {
            QVERIFY(disk.Open(name));
            QVERIFY(memory.Open(name));
            for (const QString& region : disk.RegionNames(name)) {
                const int32_t code = disk.RegionCode(name, region);
                QCOMPARE(Numbers(memory.ListPlaces(code)), Numbers(disk.ListPlaces(code)));
                QCOMPARE(memory.Record(), disk.Record());
            }
            QCOMPARE(memory.ReadRecord(1), disk.ReadRecord(1));
            QCOMPARE(memory.RecordPosition(), disk.RecordPosition());
        }
    }

    void fileThatIsNotRegularNeverBlocks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fifo");
        QTest::newRow("index is a FIFO") << "Regions.idx" << true;
        QTest::newRow("index is a folder") << "Regions.idx" << false;
        QTest::newRow("record file is a FIFO") << "Lakes.qdb" << true;
        QTest::newRow("record file is a folder") << "Lakes.qdb" << false;
    }
    void fileThatIsNotRegularNeverBlocks() {
        QFETCH(QString, name);
        QFETCH(bool, fifo);
        TLocationFixture f;
        WriteSampleDatabase(f);
        QVERIFY(QFile::remove(f.Path(name)));
        if (fifo)
            QCOMPARE(mkfifo(QFile::encodeName(f.Path(name)).constData(), 0600), 0);
        else
            QVERIFY(QDir(f.Folder()).mkdir(name));
        TLocationDatabase db;
        // Reading a FIFO that no one writes would wait for ever; the reader refuses it at once.
        try {
            db.LoadIndex(f.Folder());
            QVERIFY(db.Open("Lakes"));
            db.ListPlaces(0);
            QFAIL("no error");
        } catch (const EFOpenError& e) {
            QVERIFY2(e.Message().contains(f.Path(name) + ": not a regular file"), qPrintable(e.Message()));
        }
        if (name == "Regions.idx")
            QVERIFY(db.DatabaseNames().isEmpty());
        else
            QVERIFY_THROWS_EXCEPTION(EFOpenError, db.ReadRecord(0));
    }

    // The names kept for reuse follow the places listed: one place at the end of a file of five million
    // records keeps one name, not a slot for every record before it (2^31 records asked for 51 GB).
    void keptNamesFollowWhatIsListed() {
        TLocationFixture f;
        f.WriteIndex("[Big]\r\n+All=0\r\nA=1\r\nB=2\r\n");
        constexpr int count = 5'000'000;
        {
            QFile file(f.Path("Big.qdb"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(count - 1) * LocationRecordSize)); // sparse: records of zeros
            QVERIFY(file.seek(file.size()));
            const QByteArray last = TLocationFixture::Records({Place(1, 2, "Near")});
            QCOMPARE(file.write(last), last.size());
        }
        TLocationDatabase db;
        db.LoadIndex(f.Folder());
        QVERIFY(db.Open("Big"));
        const std::vector<TPlaceEntry> near = db.ListPlaces(2);
        QCOMPARE(near.size(), size_t(1));
        QCOMPARE(near[0].PlaceName, QString("Near"));
        QCOMPARE(near[0].Rec.RecordIndex, count - 1);
        QVERIFY2(db.KeptNames() < 10'000, qPrintable(QString::number(db.KeptNames())));

        // The place list's ranks kept by record number follow the places ranked in the same way.
        TCollationRanks ranks;
        QCOMPARE(ranks.RanksOf(near), std::vector<int32_t>{0});
        QCOMPARE(ranks.RanksOf(near), std::vector<int32_t>{0});
        QVERIFY2(ranks.KeptRecords() < 10'000, qPrintable(QString::number(ranks.KeptRecords())));
    }

    // An index larger than any real one is refused with a message before it is read.
    void oversizedIndexIsRefused() {
        TLocationFixture f;
        WriteSampleDatabase(f);
        QFile index(f.Path("Regions.idx"));
        QVERIFY(index.open(QIODevice::ReadWrite));
        QVERIFY(index.resize(MaxIndexBytes + 1));
        index.close();
        TLocationDatabase db;
        try {
            db.LoadIndex(f.Folder());
            QFAIL("no error");
        } catch (const EFOpenError& e) {
            QCOMPARE(e.Message(),
                     f.Path("Regions.idx") + " is larger than 16 MB: it cannot be a location index.");
        }
        QVERIFY(db.DatabaseNames().isEmpty());
    }

    void countingStopsAtTheLargestRecordNumber() {
        // A sparse file of more records than 32-bit numbers can count: the scan stops after the record
        // numbered INT32_MAX - 1 instead of overflowing. It starts just before, to stay quick.
        TLocationFixture f;
        QFile file(f.Path("Huge.qdb"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (!file.resize(qint64(LocationRecordSize) * (qint64(INT32_MAX) + 3)))
            QSKIP("the file system holds no sparse file this large");
        file.close();
        const TQdbFile huge(f.Path("Huge.qdb"));
        QCOMPARE(huge.RecordCount(), INT32_MAX);
        std::vector<int> numbers;
        QCOMPARE(huge.Scan([&](const char*, int number) { numbers.push_back(number); }, INT32_MAX - 2),
                 INT32_MAX);
        QCOMPARE(numbers, (std::vector<int>{INT32_MAX - 2, INT32_MAX - 1}));
    }

    void presetTokens_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("region");
        QTest::newRow("place and region") << "Ashford, Hill Country"
                                          << "Ashford"
                                          << "Hill Country";
        QTest::newRow("place only") << "Ashford"
                                    << "Ashford"
                                    << "";
        QTest::newRow("blank before comma kept") << "Ashford , Hill Country"
                                                 << "Ashford "
                                                 << "Hill Country";
        QTest::newRow("third token dropped") << " Ashford,  Hill, Far \t"
                                             << "Ashford"
                                             << "Hill";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("trailing comma") << "Ashford,"
                                        << "Ashford"
                                        << "";
    }
    void presetTokens() {
        QFETCH(QString, text);
        QFETCH(QString, place);
        QFETCH(QString, region);
        QCOMPARE(PresetLocationTokens(text), std::make_pair(place, region));
    }

    void summaryTexts() {
        LocationRecord r = Place(1, 1, "Johannesburg", -26.13f, 28.23f, 30);
        r.Altitude = 1694.4f;
        r.CoolingFirst = 29.56f;
        r.CoolingSecond = 17;
        r.HeatingDesign = -1.25f;
        r.WindSpeed = 3.5f;
        r.MaxDryBulb = 31.5f;
        r.MinDryBulb = -0.5f;
        r.DryBulbRange = 13.3f;
        const TLocationSummary s = LocationSummary(r);
        const QStringList expected = {"Latitude=26.13S",    "Longitude=28.23E",     "TimeZone=30E",
                                      "Altitude=1694 m",    "Cooling=29.6/17.0 °C", "Heating=-1.2 °C",
                                      "Wind Speed=3.5 m/s", "Max DryBulb=31.5 °C",  "Min DryBulb=-0.5 °C",
                                      "DB Range=13.3 °C"};
        for (int i = 0; i < LocationSummaryRows; ++i)
            QCOMPARE(s[size_t(i)].first + '=' + s[size_t(i)].second, expected[i]);

        const TLocationSummary west = LocationSummary(Place(0, 0, "", 0, -73.97f, -75));
        QCOMPARE(west[0].second, QString("0.00N"));
        QCOMPARE(west[1].second, QString("73.97W"));
        QCOMPARE(west[2].second, QString("75W"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(LocationSummary(r)[0].second, QString("26,13S"));
    }

    void sortedListFindsWithoutCase() {
        TPlaceListModel model;
        model.SetPlaces({{"brook", {0}}, {"Ashford", {1}}, {"Été", {2}}, {"ashford", {3}}, {"Cove", {4}}});
        QStringList shown;
        for (int i = 0; i < model.rowCount(); ++i)
            shown << model.Entry(i).PlaceName;
        QCOMPARE(shown, QStringList({"Ashford", "ashford", "brook", "Cove", "Été"}));
        QCOMPARE(model.Find("ASHFORD"), 0);
        QCOMPARE(model.FindAll("ASHFORD"), (std::vector<int>{0, 1}));
        QCOMPARE(model.Find("été"), 4);
        QCOMPARE(model.Find("Ashford "), -1);
    }

    // Names collated ahead on another thread list as names collated on the spot would: a region listed
    // first, then every place with one name the collation ahead did not see.
    void collatedAheadListsTheSame() {
        const std::vector<TPlaceEntry> all{
            {"brook", {0}}, {"Ashford", {1}}, {"Été", {2}}, {"ashford", {3}}, {"Cove", {4}}, {"Abbey", {5}}};
        TPlaceListModel model;
        const auto shown = [&model] {
            QStringList names;
            for (int i = 0; i < model.rowCount(); ++i)
                names << model.Entry(i).PlaceName;
            return names;
        };
        model.SetPlaces({all[0], all[4]});
        model.CollateAhead([] { return std::vector<QString>{"brook", "Ashford", "Été", "ashford", "Cove"}; });
        model.SetPlaces({all.begin(), all.end() - 1});
        QCOMPARE(shown(), QStringList({"Ashford", "ashford", "brook", "Cove", "Été"}));
        model.SetPlaces(all);
        QCOMPARE(shown(), QStringList({"Abbey", "Ashford", "ashford", "brook", "Cove", "Été"}));
        model.CollateAhead([] { return std::vector<QString>{}; }); // an unreadable file: nothing changes
        model.SetPlaces({all[4], all[0]});
        QCOMPARE(shown(), QStringList({"brook", "Cove"}));
    }

    void sortsWithTheUsersCollation_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("sorted");
        // The C locale orders as the language-neutral Unicode order: accents count after letters.
        QTest::newRow("C") << "C"
                           << QStringList(
                                  {"Åland", "Évora", "São Paulo", "St. Ives", "Suva", "Zurich", "zürich"});
        QTest::newRow("English") << "en_GB"
                                 << QStringList({"Åland", "Évora", "São Paulo", "St. Ives", "Suva", "Zurich",
                                                 "zürich"});
        // Swedish files Å after Z.
        QTest::newRow("Swedish") << "sv_SE"
                                 << QStringList({"Évora", "São Paulo", "St. Ives", "Suva", "Zurich", "zürich",
                                                 "Åland"});
    }
    void sortsWithTheUsersCollation() {
        QFETCH(QString, locale);
        QFETCH(QStringList, sorted);
        QLocale::setDefault(QLocale(locale));
        const QStringList names = {"Zurich", "São Paulo", "Suva", "zürich", "Évora", "St. Ives", "Åland"};
        std::vector<TPlaceEntry> places;
        for (int i = 0; i < names.size(); ++i)
            places.push_back({names[i], {i}});
        TPlaceListModel model;
        model.SetPlaces(places);
        QStringList shown;
        for (int i = 0; i < model.rowCount(); ++i)
            shown << model.Entry(i).PlaceName;
        QCOMPARE(shown, sorted);
        QCOMPARE(SortedByLocationKey(names), sorted); // the database and region boxes
        // Listed again, a part of the names and then new ones: the order stays the collation's.
        model.SetPlaces({places[2], places[1]});
        QCOMPARE(model.Entry(0).PlaceName, QString("São Paulo"));
        model.SetPlaces({places[0], {"Aarhus", {9}}, places[6], {"Sa", {8}}});
        for (int i = 0; i < model.rowCount(); ++i)
            shown[i] = model.Entry(i).PlaceName;
        QCOMPARE(shown.first(4), locale == "sv_SE" ? QStringList({"Aarhus", "Sa", "Zurich", "Åland"})
                                                   : QStringList({"Aarhus", "Åland", "Sa", "Zurich"}));
    }
};

QTEST_GUILESS_MAIN(TestLocationDb)
#include "tst_locationdb.moc"

// Times the location database on a generated 200,000-place database: listing every place of "+All"
// through the reader, filling and sorting the dialog's place list, and listing one region and all
// regions in the dialog itself. Prints one line per figure (best of several runs). Each name is collated
// once per run: a fresh list pays for all of them (printed), while the dialog collates every name of a
// database on another thread while the user looks at one region; its first "+All" is printed too. The
// anchor is a bare read of the record file into memory; "+All" in the dialog is printed as a multiple of it.
// Last, the dialog shows a database whose 200,000 places share one name, with a remembered place of
// that name in a region none of them has: every record of the name is looked at to find it.
#include "bench/common/BestTime.h"
#include "bench/common/Report.h"
#include "locations/LocationDb.h"
#include "locations/PlaceListModel.h"
#include "locations/TxSelectLocation.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr int PlaceCount = 200000;
constexpr int RegionCount = 50;
constexpr int Runs = 5;

// Names of two to four random syllables, so sorting has real work to do.
QString RandomName(QRandomGenerator& rng) {
    static const char* const syllables[] = {"ka",  "lo",   "mi",   "Ne",  "ru",    "sa",
                                            "To",  "vi",   "Wes",  "zan", "ber",   "Ash",
                                            "dal", "ford", "hill", "ton", "ville", "burg"};
    QString name;
    const int parts = 2 + int(rng.bounded(3));
    for (int i = 0; i < parts; ++i)
        name += QLatin1String(syllables[rng.bounded(int(std::size(syllables)))]);
    return name;
}

bool WriteDatabase(const QString& folder) {
    QString index = QStringLiteral("[+All]\r\n+All=0\r\nBig=1\r\nSame=2\r\n");
    for (const char* database : {"Big", "Same"}) {
        index += QStringLiteral("[%1]\r\n+All=0\r\n").arg(QLatin1String(database));
        for (int r = 1; r <= RegionCount; ++r)
            index += QStringLiteral("Region %1=%1\r\n").arg(r);
    }
    QFile idx(folder + QStringLiteral("Regions.idx"));
    if (!idx.open(QIODevice::WriteOnly) || idx.write(index.toLatin1()) < 0) return false;

    QRandomGenerator rng(42);
    QByteArray bytes;
    bytes.reserve(qsizetype(PlaceCount) * LocationRecordSize);
    LocationRecordBytes one;
    for (int i = 0; i < PlaceCount; ++i) {
        LocationRecord r;
        r.DatabaseCode = 1;
        r.RegionCode = 1 + i % RegionCount;
        r.PlaceName = RandomName(rng);
        r.Latitude = float(rng.bounded(180.0) - 90);
        r.Longitude = float(rng.bounded(360.0) - 180);
        if (!EncodeLocationRecord(r, one)) return false;
        bytes.append(one.data(), one.size());
    }
    for (const char* name : {"Big.qdb", "+All.qdb"}) {
        QFile f(folder + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return false;
    }
    QByteArray same;
    for (int i = 0; i < PlaceCount; ++i) {
        LocationRecord r;
        r.DatabaseCode = 2;
        r.RegionCode = 1 + i % RegionCount;
        r.PlaceName = QStringLiteral("Ashford");
        if (!EncodeLocationRecord(r, one)) return false;
        same.append(one.data(), one.size());
    }
    QFile f(folder + QStringLiteral("Same.qdb"));
    return f.open(QIODevice::WriteOnly) && f.write(same) == same.size();
}

double BestMs(const std::function<void()>& step) {
    return ::BestMs(step, Runs);
}

void Choose(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    box->setCurrentIndex(i);
    emit box->activated(i);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit()); // keep the user's own settings untouched
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    if (!dir.isValid() || !WriteDatabase(folder)) {
        std::fprintf(stderr, "cannot write the benchmark database in %s\n", qPrintable(folder));
        return 1;
    }

    QByteArray bare;
    const double anchor = BestMs([&] {
        QFile file(folder + QStringLiteral("+All.qdb"));
        if (file.open(QIODevice::ReadOnly)) bare = file.readAll();
    });
    Report("anchor: bare read of +All.qdb", anchor, "ms",
           QStringLiteral("%1 places").arg(size_t(bare.size() / LocationRecordSize)));

    TLocationDatabase db;
    db.LoadIndex(folder);
    db.Open(QStringLiteral("+All"));
    std::vector<TPlaceEntry> places;
    double ms = BestMs([&] { places = db.ListPlaces(0); });
    Report("reader: list all places of +All", ms, "ms", QStringLiteral("%1 places").arg(places.size()));
    std::vector<TPlaceEntry> region;
    ms = BestMs([&] { region = db.ListPlaces(1); });
    Report("reader: list one database of +All (code 1)", ms, "ms",
           QStringLiteral("%1 places").arg(region.size()));

    {
        // Each name is collated once per run; a fresh list pays for all of them.
        TPlaceListModel fresh;
        QElapsedTimer first;
        first.start();
        fresh.SetPlaces(places);
        Report("dialog list: first fill, every name collated", double(first.nsecsElapsed()) / 1e6, "ms",
               QStringLiteral("%1 places").arg(size_t(fresh.rowCount())));
    }
    TPlaceListModel model;
    model.SetPlaces(places);
    ms = BestMs([&] { model.SetPlaces(places); });
    Report("dialog list: fill and sort all places", ms, "ms",
           QStringLiteral("%1 places").arg(size_t(model.rowCount())));

    TSettingsStore("SelectLocationForm").WriteString(QStringLiteral("Database"), QStringLiteral("Big"));
    TSelectLocationForm form(nullptr, folder);
    form.ShowMessage = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    form.PresetLocation(QStringLiteral("Kalo, Region 7"));
    QElapsedTimer shown;
    shown.start();
    form.show();
    app.processEvents();
    Report("dialog: show, open Big and list Region 7", double(shown.nsecsElapsed()) / 1e6, "ms",
           QStringLiteral("%1 places").arg(size_t(form.PlaceList()->model()->rowCount())));

    QComboBox* regions = form.RegionBox();
    int flip = 0;
    ms = BestMs([&] {
        Choose(regions, QStringLiteral("Region %1").arg(++flip % RegionCount + 1));
        form.PlaceList()->repaint();
    });
    Report("dialog: choose a region, list and paint (budget 20)", ms, "ms",
           QStringLiteral("%1 places").arg(size_t(form.PlaceList()->model()->rowCount())));
    const auto chooseAll = [&] {
        Choose(regions, QStringLiteral("+All"));
        form.PlaceList()->repaint();
    };
    // A user looks at the listed region for a moment before choosing "+All".
    {
        QEventLoop looking;
        QTimer::singleShot(1000, &looking, &QEventLoop::quit);
        looking.exec();
    }
    QElapsedTimer firstAll;
    firstAll.start();
    chooseAll();
    Report("dialog: first +All, a second after the first region showed",
           double(firstAll.nsecsElapsed()) / 1e6, "ms",
           QStringLiteral("%1 places").arg(size_t(form.PlaceList()->model()->rowCount())));
    ms = BestMs(chooseAll);
    Report("dialog: choose all regions (+All), list and paint (budget 40)", ms, "ms",
           QStringLiteral("%1 places").arg(size_t(form.PlaceList()->model()->rowCount())));
    std::printf("dialog: +All over the bare read: %.1f\n", anchor > 0 ? ms / anchor : 0.0);
    form.reject();

    TSettingsStore("SelectLocationForm").WriteString(QStringLiteral("Database"), QStringLiteral("Same"));
    TSelectLocationForm same(nullptr, folder);
    same.ShowMessage = form.ShowMessage;
    ms = BestMs([&] {
        same.PresetLocation(QStringLiteral("Ashford, Nowhere"));
        same.show();
        app.processEvents();
        same.reject();
    });
    Report("dialog: show, remembered place among all of its name", ms, "ms",
           QStringLiteral("%1 places").arg(size_t(PlaceCount)));
    return 0;
}

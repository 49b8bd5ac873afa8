// Times `qdb build` on generated sources of 200,000 rows in 8,000 regions, as a user runs it (the
// program, its files on disk). Its anchor is the same rows in 80 regions: a build that grows with the
// rows alone takes about as long for both, and the printed ratio is about 1. The goal is 2 s.
#include "tests/common/TestPaths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Rows = 200000;

bool WriteSources(const QString& folder, int regions) {
    QByteArray text = "region,name,latitude,longitude,timezone,altitude,cooling_first,cooling_second,"
                      "heating_design,wind_speed,max_dry_bulb,min_dry_bulb,dry_bulb_range\n";
    for (int i = 0; i < Rows; ++i)
        text += QByteArray("Region ") + QByteArray::number(i % regions) + ",Place " + QByteArray::number(i) +
                ',' + QByteArray::number((i % 170) - 85) +
                ",28.23,30,1694,29.6,"
                "17.1,1.2,3.5,31.5,-0.5,13.3\n";
    QFile file(folder + QStringLiteral("/Big.csv"));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Seconds for one build of the rows in `regions` regions; negative when it failed.
double BuildSeconds(int regions) {
    QTemporaryDir dir;
    if (!dir.isValid() || !WriteSources(dir.path(), regions)) return -1;
    QProcess qdb;
    QElapsedTimer t;
    t.start();
    qdb.start(FromProgramFolder(QDB_PROGRAM), {QStringLiteral("build"), dir.path(), dir.filePath("db")});
    if (!qdb.waitForFinished(600000) || qdb.exitStatus() != QProcess::NormalExit || qdb.exitCode() != 0)
        return -1;
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double anchor = BuildSeconds(80);
    std::printf("qdb build, %d rows in 80 regions:   %8.3f s\n", Rows, anchor);
    std::fflush(stdout);
    const double seconds = BuildSeconds(8000);
    std::printf("qdb build, %d rows in 8000 regions: %8.3f s (goal 2 s or less)\n", Rows, seconds);
    if (anchor > 0 && seconds > 0)
        std::printf("qdb build, 8000 regions over 80: %.2f (about 1 when linear in the rows)\n",
                    seconds / anchor);
    return anchor > 0 && seconds > 0 ? 0 : 1;
}

// Start-up and redraw figures of the main window, printed (no assertions):
// - process start to the status first reading "Solved...", and to the first paint that shows it, of the
//   program (QUORVANE_STARTUP_STAMP makes it print "solved" and "painted" then, and quit) and of a bare
//   Qt main window measured the same way: medians, and their ratios;
// - one F9 solve after a change of day (172.5 and 355 in turn, so values and hours change) and the
//   repaint of the window as a user sees it: the events the solve left run, the changed parts of the
//   page in front painted; with each of the six pages in front;
// - the worst case no user sees: one F9 solve and then every page caught up and drawn whole off
//   screen, six pictures a solve.
#include "app/Main.h"
#include "app/ResultPages.h"
#include "bench/common/BestTime.h"
#include "tests/common/TestPaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct TStartup {
    double Solved = -1;  // ms from start to the status reading "Solved..."
    double Painted = -1; // and to its first paint
};

// The two moments of one start of the program; negative where a stamp never came.
TStartup TimeStartup(const QString& program, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, {});
    TStartup times;
    QByteArray out;
    while (times.Painted < 0 && p.waitForReadyRead(10000)) {
        out += p.readAll();
        const double ms = t.nsecsElapsed() / 1e6;
        if (times.Solved < 0 && out.contains("solved")) times.Solved = ms;
        if (out.contains("painted")) times.Painted = ms;
    }
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
    }
    return times;
}

TStartup StartupMedians(const QString& program, int runs) {
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUORVANE_STARTUP_STAMP", "1");
    env.insert("XDG_CONFIG_HOME", config.path());
    if (!env.contains("QT_QPA_PLATFORM")) env.insert("QT_QPA_PLATFORM", "offscreen");
    TimeStartup(program, env); // warm the file cache
    std::vector<double> solved, painted;
    for (int i = 0; i < runs; ++i) {
        const TStartup times = TimeStartup(program, env);
        solved.push_back(times.Solved);
        painted.push_back(times.Painted);
    }
    return {Median(solved), Median(painted)};
}

void PrintRatio(const char* what, int runs, double program, double bare) {
    std::printf("start-up to %s, median of %d: program %.1f ms, bare Qt window %.1f ms, ratio %.2f\n", what,
                runs, program, bare, bare > 0 ? program / bare : 0);
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);

    // "--f9" times the solve alone, for profiling it.
    if (!app.arguments().contains(QStringLiteral("--f9"))) {
        const int runs = 15;
        const TStartup program = StartupMedians(FromProgramFolder(QV_PROGRAM), runs);
        const TStartup bare = StartupMedians(FromProgramFolder(QV_BARE), runs);
        PrintRatio("the status \"Solved...\"", runs, program.Solved, bare.Solved);
        PrintRatio("the first paint showing \"Solved...\"", runs, program.Painted, bare.Painted);
    }

    TMainForm form;
    form.resize(1280, 800);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    // Every page shown once, so each is built and the figures below redraw whole pages.
    for (int page = 0; page < form.Pages()->count(); ++page) {
        form.Pages()->setCurrentIndex(page);
        QCoreApplication::processEvents();
    }
    const int solves = 200;
    // The plot in front, so that each solve fills it and its picture shows the new values.
    form.Pages()->setCurrentIndex(pgPlot);
    std::vector<double> times;
    for (int i = 0; i < solves; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(&form, Qt::Key_F9);
        for (int page = 0; page < form.Pages()->count(); ++page) {
            auto* widget = static_cast<TResultPageWidget*>(form.Pages()->widget(page));
            widget->EnsureBuilt(); // a page out of sight takes the solve first
            widget->grab();        // every list and the plot drawn afresh
        }
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("F9 solve, then all six pages drawn whole off screen, median of %d: %.2f ms\n", solves,
                Median(times));

    for (int front = 0; front < form.Pages()->count(); ++front) {
        form.Pages()->setCurrentIndex(front);
        QCoreApplication::processEvents();
        times.clear();
        for (int i = 0; i < solves; ++i) {
            QElapsedTimer t;
            t.start();
            form.Document().SetDayNumber(i % 2 ? 355 : 172.5);
            QTest::keyClick(&form, Qt::Key_F9);
            QCoreApplication::sendPostedEvents(); // the repaint the solve asked for
            QCoreApplication::processEvents();    // and what that left: layouts, a second paint
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("F9 solve after a change of day, window repainted as shown, %s page in front, median of "
                    "%d: %.2f ms\n",
                    ResultPageTable()[front].Tab, solves, Median(times));
    }
    return 0;
}

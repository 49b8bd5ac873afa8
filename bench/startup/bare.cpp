// The yardstick for start-up: a bare Qt main window with a menu, a chart view and a status bar that
// prints "solved" when its status first reads "Solved...", as the program does under
// QUORVANE_STARTUP_STAMP, and quits.
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Exit"));
    window.setCentralWidget(new QChartView(new QChart));
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &app, [](const QString& text) {
        if (text != QLatin1String("Solved...")) return;
        std::puts("solved");
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
    window.show();
    window.statusBar()->showMessage(QStringLiteral("Solved..."));
    return app.exec();
}

// The yardstick for start-up: a bare Qt main window with a menu, a chart view and a status bar. It
// stamps the moment its status reads "Solved..." and the moment that is first painted, then quits, as
// the program does under QUORVANE_STARTUP_STAMP.
#include "app/StartupStamp.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Exit"));
    window.setCentralWidget(new QChartView(new QChart));
    StampStartup(window.statusBar());
    window.show();
    window.statusBar()->showMessage(QStringLiteral("Solved..."));
    return app.exec();
}

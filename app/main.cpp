// The program: the application, its folders and locale hooks, the main window and the dialogs it
// uses, each created once in the program's order, then the message loop.
#include "app/Main.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "locations/TxSelectLocation.h"
#include "storage/Folders.h"

#include <QApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Varnholt"));
    try {
        InitFolders();
    } catch (const EFolderError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvane"), QString::fromStdString(e.what()));
        return 1;
    }

    TMainForm mainForm;
    TCalendarForm calendarForm(&mainForm);
    TSelectLocationForm locationForm(&mainForm);
    TSelectAzimuthForm azimuthForm(&mainForm);
    TAnglesForm anglesForm(&mainForm);
    mainForm.SetRowDialogs({&locationForm, &azimuthForm, &anglesForm, &calendarForm});
    // For the start-up benchmark: "solved" on stdout when the status first reads "Solved...", then quit.
    if (qEnvironmentVariableIsSet("QUORVANE_STARTUP_STAMP"))
        QObject::connect(mainForm.statusBar(), &QStatusBar::messageChanged, &app, [](const QString& text) {
            if (text != QLatin1String("Solved...")) return;
            std::puts("solved");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
    mainForm.show();
    return app.exec();
}

// The program: the application, its folders and locale hooks, the main window and the dialogs it
// uses, each created once in the program's order, then the message loop.
#include "app/Main.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
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
    TProfileEdForm profileEdForm(&mainForm);
    TChartColor chartColorForm(&mainForm);
    TAnglesForm anglesForm(&mainForm);
    TProfileViewForm profileViewForm(&mainForm);
    mainForm.SetRowDialogs({&locationForm, &azimuthForm, &anglesForm, &calendarForm});
    mainForm.SetProfileDialogs({&profileEdForm, &chartColorForm, &profileViewForm});
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

// The program: the application, its folders and locale hooks, the main window and the dialogs it
// uses, each created once, then the message loop.
#include "app/Main.h"
#include "app/TextSetup.h"
#include "locations/TxSelectLocation.h"
#include "storage/Folders.h"
#include "storage/RegularFile.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    // A save stopped by a file-size limit then reports its error, and the settings are still written.
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Varnholt"));
    InstallTextHooks();
    try {
        InitFolders();
    } catch (const EFolderError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvane"), QString::fromStdString(e.what()));
        return 1;
    }

    TMainForm mainForm;
    TSelectLocationForm locationForm(&mainForm);
    mainForm.SetLocationDialog(&locationForm);
    mainForm.show();
    return app.exec();
}

// The program: the application, its folders and locale hooks, the main window and the dialogs it
// uses, each created once, then the message loop.
#include "app/Main.h"
#include "locations/TxSelectLocation.h"
#include "storage/Folders.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Varnholt"));
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

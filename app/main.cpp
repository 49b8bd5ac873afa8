// The program: the application, its folders, the program's windows, then the message loop.
#include "app/ProgramWindows.h"
#include "app/StartupStamp.h"
#include "report/MailFolder.h"
#include "storage/Folders.h"
#include "storage/PlainText.h"
#include "storage/RegularFile.h"
#include "version/ProgramVersion.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // A save stopped by a file-size limit then reports its error, and the settings are still written.
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Varnholt"));
    try {
        InitFolders();
    } catch (const EFolderError& e) {
        ShowPlainMessage(nullptr, QMessageBox::Critical, QStringLiteral("Quorvane"),
                         QString::fromStdString(e.what()));
        return 1;
    }

    // Page files of mails from runs that ended without removing them (killed, crashed).
    TMailFolders::RemoveStale();
    TProgramWindows windows(ProgramVersionText());
    TMainForm& mainForm = windows.MainForm;
    if (qEnvironmentVariableIsSet("QUORVANE_STARTUP_STAMP")) StampStartup(mainForm.statusBar());
    // A project file named on the command line (the desktop opens *.qvx files this way) is read
    // before the first solve.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) mainForm.OpenProject(args.at(1));
    windows.Show();
    return app.exec();
}

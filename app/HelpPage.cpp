#include "HelpPage.h"

#include "storage/Folders.h"
#include "storage/PlainText.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QUrl>

namespace {

void HelpNotShown(QWidget* parent, const QString& page, const QString& why) {
    ShowPlainMessage(
        parent, QMessageBox::Warning, QApplication::applicationDisplayName(),
        QStringLiteral("The help page could not be shown: %1.\r\n\r\nThe page is %2").arg(why, page));
}

// Why xdg-open did not show the page, from its exit status (-1: it crashed).
QString XdgOpenFailure(int code) {
    switch (code) {
    case 2:
        return QStringLiteral("the file is missing");
    case 3:
        return QStringLiteral("no program to show web pages is set up");
    case 4:
        return QStringLiteral("the web browser could not open it");
    case 5:
        return QStringLiteral("the file cannot be read");
    case -1:
        return QStringLiteral("xdg-open stopped unexpectedly");
    default:
        return QStringLiteral("xdg-open failed with exit status %1").arg(code);
    }
}

} // namespace

// Qt's desktop services start xdg-open detached and report success once it runs, so a desktop with no
// web browser set up would answer F1 with nothing at all. xdg-open's exit status says more: 0 when the
// page was handed to a program that shows it, else why not (2 the file is missing, 3 no program was
// found, 4 the one found failed, 5 the file cannot be read). xdg-open may wait for the browser for as
// long as it is open, so it has no parent: the program may end first, and ending must not kill the
// user's browser window with it.
void OpenHelpPage(QWidget* parent) {
    const QString page = ProgramFolder() + QStringLiteral("Help/Quorvane.htm");
    if (!QFileInfo(page).isFile()) {
        HelpNotShown(parent, page, XdgOpenFailure(2)); // what xdg-open says of a missing file
        return;
    }
    auto* process = new QProcess;
    const QPointer<QWidget> owner(parent);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, owner, page](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return; // a crash ends in finished as well
                         process->deleteLater();
                         if (owner)
                             HelpNotShown(owner, page, QStringLiteral("xdg-open could not be started"));
                     });
    QObject::connect(
        process, &QProcess::finished, process, [process, owner, page](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            if (!owner || (status == QProcess::NormalExit && code == 0)) return;
            HelpNotShown(owner, page, XdgOpenFailure(status == QProcess::NormalExit ? code : -1));
        });
    process->setStandardInputFile(QProcess::nullDevice()); // a browser in a terminal must not wait on it
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel); // its complaints, for a terminal
    process->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
}

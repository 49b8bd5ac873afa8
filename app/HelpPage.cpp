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
    ShowPlainMessage(parent, QMessageBox::Warning, QApplication::applicationDisplayName(),
                     QStringLiteral("The help page could not be shown: %1.\r\n\r\nThe page is %2").arg(why, page));
}

} // namespace

// Qt's desktop services start xdg-open detached and report success once it runs, so a desktop with no
// web browser set up would answer F1 with nothing at all. xdg-open's own exit status says more: 3 when
// no program to show the page was found, 4 when the one it found failed. Any other status is the
// browser's own when xdg-open waited for it, and is not a failure to show the page. xdg-open may wait
// for the browser for as long as it is open, so it has no parent: the program may end first, and
// ending must not kill the user's browser window with it.
void OpenHelpPage(QWidget* parent) {
    const QString page = ProgramFolder() + QStringLiteral("Help/Quorvane.htm");
    if (!QFileInfo(page).isFile()) {
        HelpNotShown(parent, page, QStringLiteral("the file is missing"));
        return;
    }
    auto* process = new QProcess;
    const QPointer<QWidget> owner(parent);
    QObject::connect(process, &QProcess::errorOccurred, process, [process, owner, page](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return; // a crash ends in finished as well
        process->deleteLater();
        if (owner) HelpNotShown(owner, page, QStringLiteral("xdg-open could not be started"));
    });
    QObject::connect(process, &QProcess::finished, process, [process, owner, page](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (!owner || status != QProcess::NormalExit) return;
        if (code == 3) HelpNotShown(owner, page, QStringLiteral("no program to show web pages is set up"));
        if (code == 4) HelpNotShown(owner, page, QStringLiteral("the web browser could not open it"));
    });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel); // its complaints, for a terminal
    process->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(page).toString()});
}

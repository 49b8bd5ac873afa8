#pragma once
// Hands a message with attachments to the user's mail client, whose compose window lets the user pick
// the recipients and send. On this desktop the hand-off is the mail launcher "xdg-email": a missing
// launcher counts as the user's abort, exit code 0 as success, any other code as a mail error.
#include <QObject>
#include <QStringList>

#include <functional>

class TMapiControl : public QObject {
    Q_OBJECT
public:
    explicit TMapiControl(QObject* parent = nullptr);

    QString Subject;
    QString Body;
    QString FromName; // the client's default sender when empty
    QString FromAdress;
    QStringList Recipients;
    QStringList CopyTo;
    QStringList BlindCopyTo;
    QStringList AttachedFiles; // full paths
    // The attachments' names without folder, refilled by each Send.
    const QStringList& DisplayFileName() const { return displayFileName_; }
    bool ShowDialog = false;   // the launcher always shows the compose window
    bool UseAppHandle = false; // kept for stored settings only

    std::function<void(TMapiControl* sender)> OnUserAbort;
    std::function<void(TMapiControl* sender, int errorCode)> OnMapiError;
    std::function<void(TMapiControl* sender)> OnSuccess;

    // The launcher's arguments for the message: subject, body, attachments in list order, the Cc and
    // Bcc addresses, then the recipients.
    QStringList LauncherArguments() const;
    // Runs the launcher (the program name may be replaced for another launcher) and fires the event.
    void Send();
    QString Launcher = QStringLiteral("xdg-email");

private:
    QStringList displayFileName_;
};

#pragma once
// Hands a message with attachments to the user's mail client, whose compose window lets the user pick
// the recipients and send. On this desktop the hand-off is the mail launcher "xdg-email". It runs
// beside the window, which goes on answering: without a mail client the launcher takes many seconds to
// fail, and with one it may wait for the client's window to close. When it ends, exit code 0 fires
// OnSuccess, another code OnMapiError; a launcher that is missing, cannot start or crashes fires
// OnUserAbort. FailureText() then says what happened.
#include <QObject>
#include <QStringList>

#include <functional>

class QProcess;

class TMapiControl : public QObject {
    Q_OBJECT
public:
    explicit TMapiControl(QObject* parent = nullptr);
    ~TMapiControl() override;

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
    // Starts the launcher (the program name may be replaced for another launcher) and returns at once;
    // the event fires when the launcher ends, or at once when it is missing.
    void Send();
    QString Launcher = QStringLiteral("xdg-email");

    // Set when an event fires: why the message did not go ("" on success), and the files that send
    // attached.
    const QString& FailureText() const { return failureText_; }
    const QStringList& SentFiles() const { return sentFiles_; }

private:
    // Fires the event: OnSuccess without a failure, else OnMapiError with a non-zero code, else OnUserAbort.
    void Finish(const QStringList& files, const QString& failure, int errorCode = 0);

    QStringList displayFileName_;
    QString failureText_;
    QStringList sentFiles_;
};

#pragma once
// Private folders for the page files of a mail. Each mail gets a new folder, made with mode 0700 under
// the temporary folder and named after this process, so that nobody else can plant a file or a link
// in it and a later run can tell the folders of runs that have ended. The folders of this run are
// removed when it ends; those a run left behind (killed, crashed) at the next start.
#include <QString>
#include <QStringList>

class TMailFolders {
public:
    // base: where the folders are made; the system's temporary folder by default.
    explicit TMailFolders(QString base = QString());
    ~TMailFolders();
    TMailFolders(const TMailFolders&) = delete;
    TMailFolders& operator=(const TMailFolders&) = delete;

    // Where later folders are made.
    void SetBase(const QString& base) { base_ = base; }
    // A new empty private folder, ending in "/"; empty with the reason in *error when none can be made.
    QString NewFolder(QString* error = nullptr);
    // Removes the mail folders under base whose process no longer runs. Call once at start-up.
    static void RemoveStale(QString base = QString());

private:
    QString base_;
    QStringList made_;
};

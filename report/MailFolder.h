#pragma once
// Private folders for the page files of a mail. Each mail gets a new folder, made with mode 0700 under
// the temporary folder and named after this process, so that nobody else can plant a file or a link
// in it and a later run can tell the folders of runs that have ended. A folder outlives the preview and
// the run that made it, since the mail program may read its pages only when the mail is sent; the next
// start removes the folders of runs that have ended.
#include <QString>

class TMailFolders {
public:
    // base: where the folders are made; the system's temporary folder by default.
    explicit TMailFolders(QString base = QString());

    // Where later folders are made.
    void SetBase(const QString& base) { base_ = base; }
    // A new empty private folder, ending in "/"; empty with the reason in *error when none can be made.
    QString NewFolder(QString* error = nullptr);
    // Removes the mail folders under base whose process no longer runs. Call once at start-up.
    static void RemoveStale(QString base = QString());

private:
    QString base_;
};

#pragma once
// Stands in for the desktop's handler of a URL scheme (QDesktopServices::setUrlHandler), so a test can
// open links without launching a mail program or browser, and see what was opened.
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

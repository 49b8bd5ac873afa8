#include "StartupStamp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

namespace {

const QLatin1String Solved("Solved...");

void Stamp(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}

// Watches the status bar: the first "Solved..." it shows, then the first paint that shows it.
class TStartupStamp : public QObject {
public:
    explicit TStartupStamp(QStatusBar* statusBar) : QObject(statusBar) {
        statusBar->installEventFilter(this);
        connect(statusBar, &QStatusBar::messageChanged, this, [this](const QString& text) {
            if (text != Solved || FSolved) return;
            FSolved = true;
            Stamp("solved");
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && static_cast<QStatusBar*>(watched)->currentMessage() == Solved) {
            watched->removeEventFilter(this);
            // Once the paint under way, and the rest of the window's, has finished.
            QTimer::singleShot(0, qApp, [] {
                Stamp("painted");
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool FSolved = false;
};

} // namespace

void StampStartup(QStatusBar* statusBar) {
    new TStartupStamp(statusBar);
}

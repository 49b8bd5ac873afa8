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

class TPaintStamp : public QObject {
public:
    using QObject::QObject;
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
};

} // namespace

void StampStartup(QStatusBar* statusBar) {
    auto* paintStamp = new TPaintStamp(statusBar);
    statusBar->installEventFilter(paintStamp);
    QObject::connect(statusBar, &QStatusBar::messageChanged, paintStamp, [paintStamp](const QString& text) {
        if (text != Solved || paintStamp->property("solved").toBool()) return;
        paintStamp->setProperty("solved", true);
        Stamp("solved");
    });
}

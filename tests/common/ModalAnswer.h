#pragma once
// Answers the message boxes and file dialogs a step of a test leads to, by keys as a user would, and
// keeps what they showed.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

// Closes the modal window left open when a check inside an answering step failed: the check returns
// from the step only, and the test would wait in that window's event loop until CTest's timeout
// instead of ending with its failure. Each helper's timer calls it on every tick.
inline void CloseModalAfterFailure() {
    if (!QTest::currentTestFailed()) return;
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
}

struct TAnsweredMessage {
    QString Text;
    Qt::TextFormat Format = Qt::AutoText;
    bool Answered = false;
};

// Runs act and answers the message box it leads to, shown inside act or later from the event loop;
// waits up to `wait` ms after act for one. Answered stays false when no box showed; with more than one,
// the last is kept.
inline TAnsweredMessage AnswerMessage(const std::function<void()>& act, int wait = 5000) {
    TAnsweredMessage seen;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CloseModalAfterFailure();
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {box->text(), box->textFormat(), true};
        QTest::keyClick(box, Qt::Key_Return);
    });
    watch.start();
    act();
    static_cast<void>(QTest::qWaitFor([&] { return seen.Answered; }, wait)); // Answered tells
    return seen;
}

// Runs act and answers the file dialog it opens: types `typed` (a name, or a whole path) into its name
// box and presses Return. Returns the folder the dialog started in, empty when none opened. When the
// dialog refuses the name (a file to open that is not there), its message and then the dialog are
// closed with Escape.
inline QString AnswerFileDialog(const std::function<void()>& act, const QString& typed) {
    QString startedIn;
    bool returned = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CloseModalAfterFailure();
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && qobject_cast<QFileDialog*>(modal->parentWidget()))
            return QTest::keyClick(modal, Qt::Key_Escape); // the dialog's own refusal of the name
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (returned && dialog) return QTest::keyClick(dialog, Qt::Key_Escape);
        if (!name || !startedIn.isEmpty()) return;
        startedIn = QFileInfo(dialog->directory().absolutePath()).absoluteFilePath();
        name->setFocus();
        name->clear();
        QTest::keyClicks(name, typed);
        // From the event loop: a refusal's message box, modal inside the key, must meet this timer again.
        QMetaObject::invokeMethod(
            name,
            [&, name] {
                returned = true;
                QTest::keyClick(name, Qt::Key_Return);
            },
            Qt::QueuedConnection);
    });
    watch.start();
    act();
    return startedIn;
}

// Runs `act` on the first modal window of type T that shows while `open` runs (found by a polling timer
// inside the window's own event loop; act ends the window with a key). True when it showed and every
// modal window has closed again.
template <typename T>
bool WhileModalShown(const std::function<void()>& open, const std::function<void(T*)>& act) {
    bool ran = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CloseModalAfterFailure();
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || ran) return;
        ran = true;
        act(window);
    });
    poll.start();
    open();
    return QTest::qWaitFor([&] { return ran; }) &&
           QTest::qWaitFor([] { return !QApplication::activeModalWidget(); });
}

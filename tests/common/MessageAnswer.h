#pragma once
// Answers the message boxes a step of a test leads to, with Return as a user would, and keeps what the
// box showed.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

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

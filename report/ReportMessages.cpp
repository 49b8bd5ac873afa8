#include "report/ReportMessages.h"

#include "storage/PlainText.h"

#include <QApplication>
#include <QMessageBox>

namespace {
TReportMessageHook& Hook() {
    static TReportMessageHook hook;
    return hook;
}
} // namespace

TReportMessageHook SetReportMessageHook(TReportMessageHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

void ReportMessage(const QString& message) {
    if (Hook()) {
        Hook()(message);
        return;
    }
    ShowPlainMessage(QApplication::activeWindow(), QMessageBox::Information,
                     QApplication::applicationDisplayName(), message);
}

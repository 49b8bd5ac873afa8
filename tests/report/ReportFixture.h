#pragma once
// A page engine with a known surface for report tests: 38 pixels per centimetre both ways (A4 is then
// 798 x 1129 pixels), no printer, a 10-point report font, and messages collected instead of shown.
#include "report/ReportMessages.h"
#include "report/TxStdReport.h"

#include <QImage>
#include <QStringList>

struct TReportFixture {
    TPageEngine Engine;
    TStdReport Report{Engine};
    QStringList Messages;
    TReportMessageHook SavedHook;

    TReportFixture() {
        Engine.ScreenMetrics = [] { return TScreenMetrics{798, 210, 1129, 297}; };
        Engine.SetPrinter(nullptr);
        Engine.ReportFont = QFont(QStringLiteral("DejaVu Sans"), 10);
        SavedHook = SetReportMessageHook([this](const QString& m) { Messages << m; });
    }
    ~TReportFixture() { SetReportMessageHook(SavedHook); }

    // Begins a report with the content and no letterhead, logo or titles, and composes it.
    void Compose(std::function<void()> content, const QStringList& titles = {}) {
        Report.BeginReport(std::move(content), titles, {});
        Report.LetterheadLines.clear();
        Report.LogoFile.clear();
        Engine.DoReport();
    }
};

// Rows y of the image in which every pixel from x1 to x2 is dark: the horizontal rules.
inline QList<int> RuleRows(const QImage& page, int x1, int x2) {
    QList<int> rows;
    for (int y = 0; y < page.height(); ++y) {
        bool all = true;
        for (int x = x1; x <= x2 && all; ++x)
            all = qGray(page.pixel(x, y)) < 128;
        if (all) rows << y;
    }
    return rows;
}

// True when any pixel of the rectangle is dark.
inline bool HasInk(const QImage& page, const QRect& r) {
    for (int y = std::max(0, r.top()); y <= std::min(page.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(page.width() - 1, r.right()); ++x)
            if (qGray(page.pixel(x, y)) < 160) return true;
    return false;
}

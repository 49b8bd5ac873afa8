// The drawing primitives of the composer: text blocks of the page header, rules, cells, pictures, the
// footer line, and the two tables (the column table of a list view, the ruled table of an entry grid).
#include "report/TxStdReport.h"

#include "report/ReportBlocks.h"

#include "controls/TxGrids.h"
#include "report/ReportMessages.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

int Round(double v) {
    return int(std::lround(v));
}

} // namespace

void TStdReport::SetCanvasPointSize(int points) {
    QFont font = Canvas->font();
    font.setPointSize(std::max(1, points));
    Canvas->setFont(font);
}

// The current font plus the extra styles, its size changed by sizeStep points.
void TStdReport::SetFontStyle(int extraStyle, int sizeStep) {
    QFont font = Canvas->font();
    if (extraStyle & fsBold) font.setBold(true);
    if (extraStyle & fsItalic) font.setItalic(true);
    if (extraStyle & fsUnderline) font.setUnderline(true);
    if (sizeStep != 0) font.setPointSize(std::max(1, font.pointSize() + sizeStep));
    Canvas->setFont(font);
}

void TStdReport::RestoreFont() {
    QFont font = engine_.CanvasFont();
    font.setPointSize(ReportPointSize());
    Canvas->setFont(font);
}

void TStdReport::PrintHeading(const QString& text, int extraStyle, int sizeStep, int following) {
    engine_.CheckSpace(1 + following);
    const QFont saved = Canvas->font();
    SetFontStyle(extraStyle, sizeStep);
    engine_.TextOut(LeftX, engine_.Pen.y(), text);
    engine_.NewLine(1);
    Canvas->setFont(saved);
}

void TStdReport::PrintRow(const QStringList& texts, int extraStyle) {
    engine_.CheckSpace(1);
    const QFont saved = Canvas->font();
    SetFontStyle(extraStyle, 0);
    for (int i = 0; i < texts.size() && i < int(Columns.size()); ++i)
        engine_.TextOut(Columns[i], engine_.Pen.y(), texts[i]);
    engine_.NewLine(1);
    Canvas->setFont(saved);
}

void TStdReport::SkipLine() {
    engine_.NewLine(1);
}

QStringList WrapToWidth(const QString& text, const QFont& font, QPaintDevice* device, int width) {
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        pieces << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (pieces.isEmpty()) pieces << QString();
    return pieces;
}

// One letterhead line at `size` points, set up to 2 points smaller to fit before right and wrapped when
// that is not enough; each piece moves the pen down by advance x the height of "X". False when a piece
// would pass bottom (nothing more is written then).
bool TStdReport::PrintLetterheadLine(const QString& line, int x, int size, double advance, int right,
                                     int bottom) {
    QFont font = Canvas->font();
    const int smallest = std::max(1, size - 2);
    for (font.setPointSize(size); font.pointSize() > smallest; font.setPointSize(font.pointSize() - 1)) {
        Canvas->setFont(font);
        if (engine_.TextWidth(line) <= right - x) break;
    }
    Canvas->setFont(font);
    for (const QString& piece : WrapToWidth(line, font, Canvas->device(), right - x)) {
        const int step = int(advance * engine_.TextHeight());
        if (bottom > 0 && engine_.Pen.y() + step > bottom) return false;
        engine_.TextOut(x, engine_.Pen.y(), piece);
        engine_.Pen.ry() += step;
    }
    return true;
}

void TStdReport::PrintLetterhead(const QStringList& lines, int x, int firstSize, int otherSize, int right,
                                 int bottom) {
    const int top = engine_.Pen.y();
    if (right <= 0) right = RightX;
    QFont font = Canvas->font();
    font.setBold(true);
    Canvas->setFont(font);
    bool room = true;
    if (!lines.isEmpty() && !lines.first().isEmpty())
        room = PrintLetterheadLine(lines.first(), x, firstSize, 1.25, right, bottom);
    for (int i = 1; room && i < lines.size(); ++i)
        room = PrintLetterheadLine(lines[i], x, otherSize, 1, right, bottom);
    RestoreFont();
    // The pen moved by whole pixels; counting the distance in grid lines puts the next line on the grid.
    engine_.LineCount += Round((engine_.Pen.y() - top) / engine_.LineHeight);
}

void TStdReport::PrintTitleBlock(const QStringList& lines, int sizeStep, int gap) {
    QFont font = Canvas->font();
    font.setBold(true);
    if (!lines.isEmpty() && !lines.first().isEmpty()) {
        font.setPointSize(ReportPointSize() + sizeStep);
        Canvas->setFont(font);
        engine_.TextOut(LeftX, engine_.Pen.y(), lines.first());
        engine_.NewLine(gap);
    }
    font.setPointSize(std::max(1, ReportPointSize() + sizeStep - 2));
    Canvas->setFont(font);
    for (int i = 1; i < lines.size(); ++i) {
        engine_.TextOut(LeftX, engine_.Pen.y(), lines[i]);
        engine_.NewLine(1);
    }
    if (lines.size() > 1) engine_.NewLine(1);
    RestoreFont();
}

void TStdReport::PrintDateLine(const QDate& date) {
    const QFont saved = Canvas->font();
    SetFontStyle(fsBold, 0);
    const QString text = QLocale().toString(date, QLocale::LongFormat);
    engine_.TextOut(RightX - engine_.TextWidth(text), engine_.Pen.y(), text);
    engine_.NewLine(2);
    Canvas->setFont(saved);
}

void TStdReport::DrawRule(int x1, int x2) {
    const int y = engine_.Pen.y() + engine_.HalfLine;
    Canvas->drawLine(x1, y, x2, y);
    engine_.NewLine(1);
}

void TStdReport::DrawVLine(int x, int y1, int y2) {
    Canvas->drawLine(x, y1, x, y2);
}

void TStdReport::DrawCell(int left, int right, const QString& text) {
    const int top = engine_.Pen.y();
    const QRect cell(QPoint(left, top), QPoint(right - 1, top + engine_.TextHeight() - 1));
    Canvas->save();
    Canvas->setClipRect(cell);
    engine_.TextOut(left, top, text);
    Canvas->restore();
}

void TStdReport::DrawPicture(const QImage& picture, int width, int height, int linesPassed, int x, int y) {
    const int lines = Round(height / engine_.LineHeight);
    if (linesPassed == 0) engine_.CheckSpace(lines);
    if (x == 0) x = LeftX;
    if (y == 0) y = engine_.Pen.y();
    StretchBitmap(QRect(x, y, width, height), picture, *engine_.ReportCanvas);
    if (lines - linesPassed > 0) engine_.NewLine(lines - linesPassed);
    engine_.NewLine(1);
}

void TStdReport::StretchBitmap(const QRect& rect, const QImage& bitmap, QPainter& canvas) {
    // A 24-bit copy, so paletted and alpha pictures land on the page as plain pixels.
    const QImage plain = bitmap.convertToFormat(QImage::Format_RGB888);
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(rect, plain);
    canvas.restore();
}

void TStdReport::PrintFooterLine(bool rule, const QString& text) {
    if (rule) DrawRule(LeftX, RightX);
    SetCanvasPointSize(ReportPointSize());
    engine_.TextOut(LeftX, engine_.Pen.y(), QApplication::applicationDisplayName() + QLatin1Char(' ') + text);
}

// ---- Column table ----

void TStdReport::SetColumnsFromLayout() {
    Columns[0] = engine_.Layout[mLeft];
    for (int i = 1; i < int(Columns.size()); ++i)
        Columns[i] = engine_.Layout[mStop1 + i - 1];
}

// The columns of a list table: each starts at its stop, or further right when the column before it
// needs the room, so no text runs into its neighbour. A table wider than the page first loses type
// size, down to 10 points, as the entry-grid table does.
void TStdReport::FitListColumns(const QStringList& captions, const QList<QStringList>& rows, int count) {
    SetCanvasPointSize(ReportPointSize());
    for (;;) {
        SetColumnsFromLayout();
        const int gap = engine_.TextWidth(QStringLiteral("  "));
        int end = Columns[0];
        for (int c = 0; c < count; ++c) {
            int width = engine_.TextWidth(captions.value(c));
            for (const QStringList& row : rows)
                width = std::max(width, engine_.TextWidth(row.value(c)));
            if (c > 0) Columns[c] = std::max(Columns[c], end + gap);
            end = Columns[c] + width;
        }
        const int size = Canvas->font().pointSize();
        if (end <= RightX || size <= 10) break;
        SetCanvasPointSize(size - 1);
    }
    if (Canvas->font().pointSize() != ReportPointSize()) TellFontReduced(Canvas->font().pointSize());
}

void TStdReport::TellFontReduced(int size) {
    if (!engine_.FontChanged || fontReductionTold_) return;
    fontReductionTold_ = true;
    ReportMessage(QStringLiteral("Font size in table reduced to %1 to fit all columns").arg(size));
}

void TStdReport::PrintListView(const QStringList& captions, const QList<QStringList>& rows, int count) {
    count = std::clamp(count, 0, int(Columns.size()));
    FitListColumns(captions, rows, count);
    const int size = Canvas->font().pointSize();
    // The captions never end a page alone, nor with fewer than three rows under them; a table running
    // onto the next page repeats them there.
    engine_.CheckSpace(TableLines(int(rows.size())));
    SetCanvasPointSize(size);
    PrintRow(captions.mid(0, count), fsUnderline);
    for (const QStringList& row : rows) {
        if (engine_.CheckSpace(1)) {
            SetCanvasPointSize(size);
            PrintRow(captions.mid(0, count), fsUnderline);
        }
        PrintRow(row.mid(0, count), fsNone);
    }
    RestoreFont();
    SkipLine();
}

// ---- Entry-grid table ----

std::vector<int> NarrowWidestColumns(std::vector<int>& widths, int maxTotal) {
    std::vector<int> steps;
    auto total = [&] { return std::accumulate(widths.begin(), widths.end(), 0); };
    while (total() > maxTotal) {
        int widest = 0, second = 0, narrowest = 1000;
        for (int w : widths) {
            widest = std::max(widest, w);
            narrowest = std::min(narrowest, w);
        }
        for (int w : widths)
            if (w < widest) second = std::max(second, w);
        if (widest == narrowest || second == 0 || second == widest) break;
        const int step = std::max(1, Round((widest - second) / 5.0));
        for (int& w : widths)
            if (w >= widest) w -= step;
        steps.push_back(step);
    }
    return steps;
}

void TStdReport::MeasureColumns() {
    const QString blanks = QStringLiteral("  ");
    columnX_.assign(1, LeftX);
    QFont plain = Canvas->font(), bold = plain;
    bold.setBold(true);
    const QFontMetrics plainMetrics(plain, Canvas->device()), boldMetrics(bold, Canvas->device());
    for (int c = range_.Left; c <= range_.Right; ++c) {
        int width = boldMetrics.horizontalAdvance(grid_->Cells(c, 0));
        for (int r = range_.Top; r <= range_.Bottom; ++r)
            width = std::max(width, plainMetrics.horizontalAdvance(grid_->Cells(c, r)));
        columnX_.push_back(columnX_.back() + width + plainMetrics.horizontalAdvance(blanks));
    }
}

// Type size down to 10 points first, then the widest columns narrowed, until the table fits.
void TStdReport::FitColumns() {
    MeasureColumns();
    while (columnX_.back() > RightX && Canvas->font().pointSize() > 10) {
        SetCanvasPointSize(Canvas->font().pointSize() - 1);
        MeasureColumns();
    }
    if (columnX_.back() > RightX) {
        std::vector<int> widths;
        for (size_t i = 1; i < columnX_.size(); ++i)
            widths.push_back(columnX_[i] - columnX_[i - 1]);
        NarrowWidestColumns(widths, RightX - LeftX);
        for (size_t i = 0; i < widths.size(); ++i)
            columnX_[i + 1] = columnX_[i] + widths[i];
    }
    tableFontSize_ = Canvas->font().pointSize();
}

void TStdReport::PrintTableHeader() {
    tableTop_ = engine_.Pen.y() + engine_.HalfLine;
    SetCanvasPointSize(tableFontSize_);
    DrawRule(columnX_.front(), columnX_.back());
    const QFont saved = Canvas->font();
    SetFontStyle(fsBold, 0);
    for (int c = range_.Left, i = 0; c <= range_.Right; ++c, ++i)
        DrawCell(columnX_[i], columnX_[i + 1], QLatin1Char(' ') + grid_->Cells(c, 0));
    engine_.NewLine(1);
    Canvas->setFont(saved);
    DrawRule(columnX_.front(), columnX_.back());
}

// The bottom rule and the vertical lines of the table's part on this page.
void TStdReport::CloseTable() {
    const int bottom = engine_.Pen.y() + engine_.HalfLine;
    DrawRule(columnX_.front(), columnX_.back());
    for (int x : columnX_)
        DrawVLine(x, tableTop_, bottom);
}

void TStdReport::PrintTableBody() {
    for (int r = range_.Top; r <= range_.Bottom; ++r) {
        engine_.CheckSpace(1);
        for (int c = range_.Left, i = 0; c <= range_.Right; ++c, ++i)
            DrawCell(columnX_[i], columnX_[i + 1], QLatin1Char(' ') + grid_->Cells(c, r));
        engine_.NewLine(1);
    }
    CloseTable();
    engine_.NewLine(1);
}

void TStdReport::PrintEntryGrid(const TxStringGrid& grid, const TCellRange& range) {
    const auto savedFooter = engine_.OnPageFooter;
    const auto savedContent = engine_.OnReportContent;
    grid_ = &grid;
    range_ = range;
    engine_.OnPageFooter = [this] { CloseTable(); };
    engine_.OnReportContent = [this] { PrintTableBody(); };
    auto restore = [&] {
        engine_.OnPageFooter = savedFooter;
        engine_.OnReportContent = savedContent;
        GridMode = false;
        grid_ = nullptr;
    };
    try {
        engine_.NewLine(1);
        FitColumns();
        if (tableFontSize_ != ReportPointSize()) TellFontReduced(tableFontSize_);
        GridMode = true;
        PrintTableHeader();
        if (auto body = engine_.OnReportContent) body();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

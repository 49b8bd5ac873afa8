#pragma once
// The report composer: one instance for the whole program, through which a caller describes a report
// (titles, letterhead, logo, headings, rows, tables) without knowing whether it goes to the preview's
// page images, the printer or a PDF file. The caller hands over a content procedure; the page engine
// calls it every time the pages are produced and it replays its calls into the composer.
//     report.BeginReport([&] { report.PrintHeading("Data", fsBold | fsUnderline, 0); ... }, {"Title"}, {});
//     report.SetLetterhead(folder + "LetterHead.txt", folder + "ReportLogo.gif", 4);
//     report.Execute();
#include "report/PageEngine.h"

#include <QDate>
#include <QImage>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QTreeWidget;
class TxStringGrid;

// Extra font styles of headings and rows (the bits of a stored font style).
enum TFontStyle { fsNone = 0, fsBold = 1, fsItalic = 2, fsUnderline = 4 };

// A cell range of a grid, both ends included.
struct TCellRange {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Narrows the widest columns until their sum is at most maxTotal [pixels]: each pass takes the widest
// W, the runner-up S and the narrowest N and takes max(1, round((W - S) / 5)) from every column at
// least W wide. Stops when W = N, S = 0 or S = W. Returns the steps taken, one per pass.
std::vector<int> NarrowWidestColumns(std::vector<int>& widths, int maxTotal);

class TStdReport {
public:
    explicit TStdReport(TPageEngine& engine);

    TPageEngine& Engine() { return engine_; }

    // ---- Fields for the current page ----
    QPainter* Canvas = nullptr;
    int LeftX = 0, TopY = 0, RightX = 0;
    std::array<int, 9> Columns{}; // LeftX, Stop1..Stop8, filled by PrintListView
    bool GridMode = false;        // an entry-grid table is open

    // ---- Report description ----
    QStringList Titles, Subtitles, LetterheadLines;
    QString LogoFile;
    int LogoWidth = 0; // [cm]

    // Shows the preview modally; the preview sets it.
    std::function<void()> OnExecute;

    // ---- Calling order ----
    // Installs content as the engine's content procedure and the composer's own page header, settings
    // and print procedures; copies the titles; lets the user drag the margins and the first two stops.
    void BeginReport(std::function<void()> content, const QStringList& titles, const QStringList& subtitles);
    // Letterhead lines from letterheadFile, else DatabaseFolder + "Letterhead.txt", else one line " ";
    // the logo file when it exists, else DatabaseFolder + "ReportLogo.gif"; the logo width [cm].
    void SetLetterhead(const QString& letterheadFile, const QString& logoFile, int logoWidth);
    // Shows the preview; afterwards the printer goes back to portrait.
    void Execute();

    // ---- Content operations ----
    void PrintHeading(const QString& text, int extraStyle, int sizeStep);
    void PrintRow(const QStringList& texts, int extraStyle);
    void SkipLine();
    // The column table of a list view: captions underlined, then one row per item, then a blank line;
    // the captions are repeated at the top of each further page the table runs onto.
    void PrintListView(QTreeWidget* view, int count);
    // The same from captions and rows of texts (caption first), as a list view shows them.
    void PrintListView(const QStringList& captions, const QList<QStringList>& rows, int count);
    // The ruled table of the grid's cell range, fitted to the page width.
    void PrintEntryGrid(const TxStringGrid& grid, const TCellRange& range);
    // An optional rule, then the application title, a blank and the text where the content ended.
    void PrintFooterLine(bool rule, const QString& text);

    // ---- Drawing primitives ----
    void PrintLetterhead(const QStringList& lines, int x, int firstSize, int otherSize);
    void PrintTitleBlock(const QStringList& lines, int sizeStep, int gap);
    void PrintDateLine(const QDate& date);
    void DrawRule(int x1, int x2);
    void DrawVLine(int x, int y1, int y2);
    void DrawCell(int left, int right, const QString& text);
    void DrawPicture(const QImage& picture, int width, int height, int linesPassed, int x, int y);
    static void StretchBitmap(const QRect& rect, const QImage& bitmap, QPainter& canvas);

    // ---- Engine callbacks ----
    void PageHeader(bool firstPage);
    // Every copy of the printer as a complete print job; "Printer error." on failure.
    void PrintReport();
    // Report layout settings to the engine and back.
    void LoadPreviewSettings();
    void StorePreviewSettings();

    // The table's column boundaries (one more than its columns) and its font size, after fitting.
    const std::vector<int>& ColumnX() const { return columnX_; }
    int TableFontSize() const { return tableFontSize_; }

private:
    void SetFontStyle(int extraStyle, int sizeStep);
    void RestoreFont();
    void SetCanvasPointSize(int points);
    int ReportPointSize() const;
    void PrintLogo(int blockTop, int letterheadLines);
    void SetColumnsFromLayout();
    void FitColumns();
    void MeasureColumns();
    void PrintTableHeader();
    void PrintTableBody();
    void CloseTable();

    TPageEngine& engine_;
    // The open entry-grid table.
    const TxStringGrid* grid_ = nullptr;
    TCellRange range_;
    std::vector<int> columnX_;
    int tableFontSize_ = 0;
    int tableTop_ = 0;
};

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

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

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
    // Letterhead lines from the file of letterheadFile's name in its folder, else in the database
    // folder, matched in any letter case, UTF-8 or Windows-1252; else one line " ". The logo: the
    // logo file's base name with .gif, .jpg or .bmp in its folder, else in the database folder, else
    // DatabaseFolder + its name. The logo width [cm]. A file that cannot be read, a letterhead that is
    // cut and a logo refused for its size each get a message.
    void SetLetterhead(const QString& letterheadFile, const QString& logoFile, int logoWidth);
    // Shows the preview; afterwards the printer goes back to portrait.
    void Execute();

    // ---- Content operations ----
    // A heading kept on one page with the `following` lines after it (its notes and the start of its
    // table); by default three.
    void PrintHeading(const QString& text, int extraStyle, int sizeStep, int following = 3);
    // The lines a list table of that many rows keeps together at its start: the captions and up to
    // three rows.
    static int TableLines(int rows) { return 1 + std::min(3, rows); }
    void PrintRow(const QStringList& texts, int extraStyle);
    void SkipLine();
    // The column table of a list: captions underlined, then one row of texts (caption first) per item,
    // then a blank line; the captions are repeated at the top of each further page the table runs onto.
    void PrintListView(const QStringList& captions, const QList<QStringList>& rows, int count);
    // The ruled table of the grid's cell range, fitted to the page width.
    void PrintEntryGrid(const TxStringGrid& grid, const TCellRange& range);
    // An optional rule, then the application title, a blank and the text where the content ended.
    void PrintFooterLine(bool rule, const QString& text);

    // ---- Drawing primitives ----
    // The letterhead lines from x; a line too wide for right (0: RightX) is set up to 2 points smaller,
    // then wrapped; lines that would pass bottom (0: no limit) are left out.
    void PrintLetterhead(const QStringList& lines, int x, int firstSize, int otherSize, int right = 0,
                         int bottom = 0);
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

    // The logo's size on the page [pixels]: LogoWidth cm wide, its height following its aspect but at
    // most MaxLogoHeightCm, its width then shrinking with it; empty without a logo.
    QSize LogoPixels() const;
    static constexpr double MaxLogoHeightCm = 4;

    // The table's column boundaries (one more than its columns) and its font size, after fitting.
    const std::vector<int>& ColumnX() const { return columnX_; }
    int TableFontSize() const { return tableFontSize_; }

private:
    void SetFontStyle(int extraStyle, int sizeStep);
    void RestoreFont();
    void SetCanvasPointSize(int points);
    int ReportPointSize() const;
    void LoadLogo(bool tell);
    int LogoGap() const;
    bool PrintLetterheadLine(const QString& line, int x, int size, double advance, int right, int bottom);
    void SetColumnsFromLayout();
    void FitColumns();
    void FitListColumns(const QStringList& captions, const QList<QStringList>& rows, int count);
    // "Font size in table reduced to ..." once a composition, when the user has just changed the font.
    void TellFontReduced(int size);
    void MeasureColumns();
    void PrintTableHeader();
    void PrintTableBody();
    void CloseTable();

    TPageEngine& engine_;
    QImage logo_;      // the picture of LogoFile
    QString logoPath_; // the file logo_ was read from
    bool fontReductionTold_ = false;
    // The open entry-grid table.
    const TxStringGrid* grid_ = nullptr;
    TCellRange range_;
    std::vector<int> columnX_;
    int tableFontSize_ = 0;
    int tableTop_ = 0;
};

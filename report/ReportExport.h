#pragma once
// A report's pages written to files, on the page engine alone, so the preview and the command line
// make the same files: all pages stacked into one GIF image, the report composed again on a PDF
// surface, and the pages as page0.gif, page1.gif ... for mail. Each returns false with the reason in
// *error; none shows anything.
#include <QPageLayout>
#include <QString>
#include <QStringList>

class TPageEngine;

// The PDF's document information.
// The PDF's document information. Qt sets the title and the creator itself; an author or a subject
// is added after the file is written, as an update of its information dictionary (Qt 6.4 has no way
// to set them).
struct TPdfInfo {
    QString Title;
    QString Creator;
    QString Author;
    QString Subject;
};

// All page images of the engine, top to bottom, as one GIF image.
bool ExportReportGif(const TPageEngine& engine, const QString& path, QString* error);
// The report composed once more on a PDF printer with that page layout, or A4 with the printer's usual
// margins when layout is null (the preview's pages stay as they were). The engine's printer is restored
// afterwards.
bool ExportReportPdf(TPageEngine& engine, const QString& path, const QPageLayout* layout,
                     const TPdfInfo& info, QString* error);
// Writes page0.gif, page1.gif ... of the engine's page images into folder (with its trailing "/") as
// new files; returns their paths, or an empty list with the reason in *error.
QStringList WriteReportPageFiles(const TPageEngine& engine, const QString& folder, QString* error);

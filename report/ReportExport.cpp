#include "report/ReportExport.h"

#include "report/ImageFiles.h"
#include "report/PageEngine.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

bool ExportReportGif(const TPageEngine& engine, const QString& path, QString* error) {
    if (engine.PageCount() == 0) {
        if (error) *error = QStringLiteral("the report has no pages");
        return false;
    }
    const QSize page = engine.Pages.front().size();
    QImage all(page.width(), page.height() * engine.PageCount(), QImage::Format_RGB32);
    if (all.isNull()) {
        if (error) *error = QStringLiteral("not enough memory for %1 pages").arg(engine.PageCount());
        return false;
    }
    all.fill(Qt::white);
    {
        QPainter p(&all);
        for (int i = 0; i < engine.PageCount(); ++i)
            p.drawImage(0, i * page.height(), engine.Pages[size_t(i)]);
    }
    return WriteGifFile(all, path, error);
}

bool ExportReportPdf(TPageEngine& engine, const QString& path, const QPageLayout* layout,
                     const TPdfInfo& info, QString* error) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setCreator(info.Creator);
    pdf.setDocName(info.Title);
    if (layout)
        pdf.setPageLayout(*layout);
    else
        pdf.setPageSize(QPageSize(QPageSize::A4));
    QPrinter* saved = engine.Printer();
    engine.SetPrinter(&pdf);
    bool ok = true;
    try {
        engine.PrintJob();
    } catch (const std::exception& e) {
        ok = false;
        if (error) *error = QString::fromLocal8Bit(e.what());
    }
    engine.SetPrinter(saved);
    if (ok && QFileInfo(path).size() <= 0) {
        ok = false;
        if (error) *error = QStringLiteral("the file could not be written");
    }
    return ok;
}

QStringList WriteReportPageFiles(const TPageEngine& engine, const QString& folder, QString* error) {
    QStringList paths;
    for (int i = 0; i < engine.PageCount(); ++i) {
        const QString path = folder + QStringLiteral("page%1.gif").arg(i);
        QString why;
        // New files only: nothing is written through a file or link that is already there.
        if (!WriteGifFile(engine.Pages[size_t(i)], path, &why, TGifCreate::NewFileOnly)) {
            if (error) *error = path + QStringLiteral(": ") + why;
            return {};
        }
        paths << path;
    }
    return paths;
}

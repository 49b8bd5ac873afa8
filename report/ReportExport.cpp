#include "report/ReportExport.h"

#include "report/ImageFiles.h"
#include "report/PageEngine.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

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

namespace {

// A PDF text string: UTF-16BE with its byte order mark, in hexadecimal, so no character needs escaping.
QByteArray PdfText(const QString& text) {
    QByteArray bytes("\xFE\xFF", 2);
    for (QChar c : text)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return '<' + bytes.toHex().toUpper() + '>';
}

// Appends a new information dictionary to a finished PDF as an incremental update (a new object, a
// cross-reference section for it and a trailer pointing back to the previous one), the way PDF lets a
// file be amended without rewriting it.
bool AddPdfInfo(const QString& path, const TPdfInfo& info, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        if (error) *error = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    file.seek(std::max<qint64>(0, size - 1024));
    const QString tail = QString::fromLatin1(file.read(1024));
    const QRegularExpressionMatch objects = QRegularExpression(QStringLiteral("/Size (\\d+)")).match(tail);
    const QRegularExpressionMatch root =
        QRegularExpression(QStringLiteral("/Root (\\d+ \\d+ R)")).match(tail);
    const QRegularExpressionMatch xref =
        QRegularExpression(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$")).match(tail);
    if (!objects.hasMatch() || !root.hasMatch() || !xref.hasMatch()) {
        if (error) *error = QStringLiteral("the PDF's trailer was not understood");
        return false;
    }
    const int object = objects.captured(1).toInt();
    QByteArray update = "\n" + QByteArray::number(object) + " 0 obj\n<<\n";
    const std::pair<const char*, QString> entries[] = {
        {"/Title", info.Title},
        {"/Author", info.Author},
        {"/Subject", info.Subject},
        {"/Creator", info.Creator},
        {"/Producer", QStringLiteral("Qt ") + QString::fromLatin1(qVersion())}};
    for (const auto& [key, text] : entries)
        if (!text.isEmpty()) update += key + QByteArray(" ") + PdfText(text) + "\n";
    update += "/CreationDate (D:" +
              QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
              "Z)\n>>\nendobj\n";
    const qint64 objectAt = size + 1;
    const qint64 xrefAt = size + update.size();
    update += "xref\n" + QByteArray::number(object) + " 1\n" +
              QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " +
              root.captured(1).toLatin1() + "\n/Info " + QByteArray::number(object) + " 0 R\n/Prev " +
              xref.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    file.seek(size);
    if (file.write(update) != update.size() || !file.flush()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

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
    if (ok && !(info.Author.isEmpty() && info.Subject.isEmpty())) ok = AddPdfInfo(path, info, error);
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

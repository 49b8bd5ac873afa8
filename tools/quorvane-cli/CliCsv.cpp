#include "CliCsv.h"

#include "app/DesignPeaks.h"
#include "app/ResultColumns.h"

#include <QStringList>

namespace {

QString Line(const QStringList& cells) {
    return cells.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString Header(QStringList keys) {
    keys << QStringLiteral("hour");
    for (const TResultColumn* column : CsvColumns())
        keys << QString::fromLatin1(column->CsvName);
    keys << QStringLiteral("solved");
    return Line(keys);
}

// 24 rows of a solved document, each led by the key cells. The Window page's columns (the sunlit
// fraction of the recessed glass) come from a document that computes them as that page does, with the
// glass vertical in the surface's azimuth; the solved document stays as it is.
QString Rows(const TCalcDocument& doc, const QStringList& keys) {
    TCalcDocument glass;
    glass.SetListRows(false);
    glass.ApplyInputs(doc.CopyInputs());
    glass.SetSunFrom(doc);
    glass.GenerateAreaFactors();
    QString text;
    for (int hour = 0; hour < 24; ++hour) {
        QStringList cells = keys;
        cells << QString::number(hour);
        for (const TResultColumn* column : CsvColumns()) {
            const TCalcDocument& from = column->Page == pgWindow ? glass : doc;
            cells << Exact((from.*(column->Profile))()[hour]);
        }
        cells << QString::number(int(doc.HourSolved(hour)));
        text += Line(cells);
    }
    return text;
}

QString MetaLine(const char* key, double value) {
    return QStringLiteral("# %1=%2\n").arg(QString::fromLatin1(key), Exact(value));
}

// "published", or "precise" with the year on a line of its own.
QString SunMethodMeta(const TCalcDocument& doc) {
    if (doc.SunMethod() == smPublished) return QStringLiteral("# sun_position=published\n");
    return QStringLiteral("# sun_position=precise\n# year=%1\n").arg(doc.SunYear());
}

} // namespace

QString Exact(double value) {
    return QString::number(value, 'g', 17);
}

QString DayCsv(TCalcDocument& doc, bool meta) {
    QString text;
    if (meta)
        text += MetaLine("sunrise", doc.Sunrise()) + MetaLine("sunset", doc.Sunset()) +
                MetaLine("declination", doc.Solar().DayDeclination()) +
                MetaLine("equation_of_time", doc.Solar().DayEquationOfTime()) + SunMethodMeta(doc);
    return text + Header({}) + Rows(doc, {});
}

QString DesignCsv(const TCalcDocument& source, bool year, bool orientations) {
    QStringList keys;
    if (orientations)
        // Named apart from the sun's azimuth column, which dataframe readers would merge with it.
        keys << QStringLiteral("facade") << QStringLiteral("facade_azimuth")
             << QStringLiteral("facade_slope");
    if (year) keys << QStringLiteral("month") << QStringLiteral("day");
    QString text = Header(keys);

    TDesignSolver solver(source);
    const TOrientation own{"", source.Azimuth(), source.Slope()};
    const int surfaces = orientations ? OrientationCount : 1;
    const int days = year ? DesignMonths : 1;
    for (int s = 0; s < surfaces; ++s) {
        const TOrientation& o = orientations ? Orientations()[s] : own;
        for (int d = 0; d < days; ++d) {
            const double day = year ? DesignDays()[d] : source.DayNumber();
            QStringList cells;
            if (orientations) cells << QString::fromLatin1(o.Name) << Exact(o.Azimuth) << Exact(o.Slope);
            if (year) cells << QString::number(MonthOfDay(day)) << Exact(day);
            text += Rows(solver.Solve(day, o.Azimuth, o.Slope), cells);
        }
    }
    return text;
}

QString PeaksCsv(const TCalcDocument& source) {
    QStringList header{QStringLiteral("facade"), QStringLiteral("azimuth"), QStringLiteral("slope")};
    for (int q = 0; q < PeakQuantityCount; ++q) {
        const QString name = QString::fromLatin1(DesignQuantities()[q].CsvName);
        header << name << name + QStringLiteral("_month") << name + QStringLiteral("_hour");
    }
    QString text = Line(header);

    TDesignSolver solver(source);
    QList<TSurfacePeaks> surfaces{SurfacePeaks(solver, QStringLiteral("surface"), source.Azimuth(),
                                               source.Slope(), source.DayNumber(), true)};
    surfaces << OrientationPeaks(source, true);
    for (const TSurfacePeaks& s : surfaces) {
        QStringList cells{s.Name, Exact(s.Azimuth), Exact(s.Slope)};
        for (const TPeak& peak : s.Peaks) {
            if (peak.Found())
                cells << Exact(peak.Value) << QString::number(peak.Month) << QString::number(peak.Hour);
            else
                cells << QString() << QString() << QString();
        }
        text += Line(cells);
    }
    return text;
}

#include "report/ReportSettings.h"

#include "controls/TxNumText.h"
#include "storage/Settings.h"

namespace {

const QString ReportSection = QStringLiteral("Report");

const std::array<const char*, MarginCount> MarginKeys = {
    "Left margin", "Right margin", "Top margin", "Bottom margin", "mX1", "mX2",
    "mX3",         "mX4",          "mX5",        "mX6",           "mX7", "mX8"};

// Added to the DefaultMargins stop when a stored stop is missing.
constexpr std::array<double, MarginCount> MissingStopOffset = {0, 0, 0, 0, 2, 2, 1.5, 1.5, 1, 1, 0, 0};

// Shortest text that reads back as the same double.
QString MarginText(double cm) {
    return FormatFloat(QStringLiteral("%0.15g"), cm);
}

} // namespace

TReportSettings& ReportSettings() {
    static TReportSettings settings = [] {
        TReportSettings s;
        s.Margins = DefaultMargins();
        return s;
    }();
    return settings;
}

TMargins& DefaultMargins() {
    static TMargins margins = {2.5, 2.5, 2.5, 2.5, 3.5, 11, 12, 13, 14, 15, 16, 17};
    return margins;
}

void SetColumnStops(const QList<double>& stops) {
    TReportSettings& settings = ReportSettings();
    for (int i = mStop1; i - mStop1 < stops.size() && i < MarginCount; ++i) {
        DefaultMargins()[i] = stops[i - mStop1];
        if (!settings.Stored[i]) settings.Margins[i] = stops[i - mStop1];
    }
}

void LoadReportSettings(TReportSettings& settings) {
    {
        TSettingsStore store(ReportSection);
        for (int i = 0; i < MarginCount; ++i) {
            const double fallback = DefaultMargins()[i] + MissingStopOffset[i];
            double value = fallback;
            const bool stored = TryStrToFloat(store.ReadString(MarginKeys[i], MarginText(fallback)), value) &&
                                store.ValueExists(MarginKeys[i]);
            settings.Margins[i] = stored ? value : fallback;
            settings.Stored[i] = stored;
        }
        settings.ZoomMode = store.ReadInteger(QStringLiteral("Zoom"), 0);
    }
    LoadFontSettings(settings.ReportFont, ReportSection);
}

void SaveReportSettings(const TReportSettings& settings) {
    {
        TSettingsStore store(ReportSection);
        store.EraseSection();
        store.OpenSection(ReportSection);
        for (int i = 0; i < MarginCount; ++i)
            store.WriteString(MarginKeys[i], MarginText(settings.Margins[i]));
        ReportSettings().Stored.fill(true);
        store.WriteInteger(QStringLiteral("Zoom"), settings.ZoomMode);
    }
    SaveFontSettings(settings.ReportFont, ReportSection);
}

#include "ProgramWindows.h"

#include "CalcReport.h"
#include "report/ReportSettings.h"

TProgramWindows::TProgramWindows(const QString& version) {
    MainForm.SetRowDialogs({&LocationForm, &AzimuthForm, &AnglesForm, &CalendarForm});
    MainForm.SetProfileDialogs({&ProfileEdForm, &ChartColorForm, &ProfileViewForm});
    MainForm.SetVersion(version);
    ApplyMainWindowValues(AboutBox, version);
    MainForm.WireCommand(QStringLiteral("ActionAbout"), [this] { AboutBox.Execute(); });

    LoadReportSettings(ReportSettings());
    // The tables' columns: CT, then the values at these stops [cm] from the page's left edge.
    SetColumnStops({5, 7, 9, 11, 13});
    PreviewForm.Attach(Report);
    MainForm.WireCommand(QStringLiteral("ActionReport"),
                         [this] { ExecuteCalcReport(Report, MainForm.Document(), *MainForm.Grid()); });
    MainForm.WireCommand(QStringLiteral("ActionReportPeaks"),
                         [this] { ExecuteCalcReport(Report, MainForm.Document(), *MainForm.Grid(), true); });
}

TProgramWindows::~TProgramWindows() {
    SaveReportSettings(ReportSettings());
}

void TProgramWindows::Show() {
    MainForm.show();
    if (AboutBox.SplashScreen()) AboutBox.ShowSplash();
}

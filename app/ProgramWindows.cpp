#include "ProgramWindows.h"

#include "CalcReport.h"
#include "DesignReport.h"
#include "DesignReportDlg.h"
#include "about/ProductPicture.h"
#include "about/TxAboutDlg.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
#include "locations/TxSelectLocation.h"
#include "report/ReportSettings.h"
#include "report/TxStdReport.h"
#include "report/TxfReport.h"

#include <QApplication>

namespace {

// The window in its slot, made over the main window the first time it is asked for.
template <class T> T& Made(std::unique_ptr<T>& slot, TMainForm& mainForm) {
    if (!slot) slot = std::make_unique<T>(&mainForm);
    return *slot;
}

// A reference for the main window that makes the window when a command first opens it.
template <class T> TWindowRef<T> Lazily(TProgramWindows* windows, T& (TProgramWindows::*window)()) {
    return std::function<T*()>([windows, window] { return &(windows->*window)(); });
}

} // namespace

TProgramWindows::TProgramWindows(const QString& version) : FVersion(version) {
    // Every window carries the program's picture, and the desktop matches the windows to the desktop
    // entry of that name (its launcher, its icon, the files it opens).
    QApplication::setWindowIcon(ProductIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("com.varnholt.quorvane"));
    MainForm.SetRowDialogs(
        {Lazily(this, &TProgramWindows::LocationForm), Lazily(this, &TProgramWindows::AzimuthForm),
         Lazily(this, &TProgramWindows::AnglesForm), Lazily(this, &TProgramWindows::CalendarForm)});
    MainForm.SetProfileDialogs({Lazily(this, &TProgramWindows::ProfileEdForm),
                                Lazily(this, &TProgramWindows::ChartColorForm),
                                Lazily(this, &TProgramWindows::ProfileViewForm)});
    MainForm.SetVersion(version);
    MainForm.WireCommand(QStringLiteral("ActionAbout"), [this] { AboutBox().Execute(); });

    LoadReportSettings(ReportSettings());
    // The tables' columns: CT, then the values at these stops [cm] from the page's left edge.
    SetCalcReportColumnStops();
    MainForm.WireCommand(QStringLiteral("ActionReport"),
                         [this] { ExecuteCalcReport(Report(), MainForm.Document(), *MainForm.Grid()); });
    MainForm.WireCommand(QStringLiteral("ActionReportPeaks"), [this] {
        ExecuteCalcReport(Report(), MainForm.Document(), *MainForm.Grid(), true);
    });
    MainForm.WireCommand(QStringLiteral("ActionDesignReport"), [this] { DesignReportCommand(); });
}

TDesignReportDlg& TProgramWindows::DesignReportDlg() {
    return Made(FDesignReportDlg, MainForm);
}

void TProgramWindows::DesignReportCommand() {
    TDesignReportDlg& dialog = DesignReportDlg();
    TCalcDocument& doc = MainForm.Document();
    dialog.SetProject(doc.ProjectInfo());
    dialog.SetDesignPeaks(ReadDesignPeaksSetting());
    if (dialog.exec() != QDialog::Accepted) return;
    doc.SetProjectInfo(dialog.Project());
    WriteDesignPeaksSetting(dialog.DesignPeaks());
    BeginDesignReport(Report(), doc, dialog.DesignPeaks());
    Report().Execute();
}

TProgramWindows::~TProgramWindows() {
    SaveReportSettings(ReportSettings());
}

TCalendarForm& TProgramWindows::CalendarForm() {
    return Made(FCalendarForm, MainForm);
}
TSelectLocationForm& TProgramWindows::LocationForm() {
    return Made(FLocationForm, MainForm);
}
TSelectAzimuthForm& TProgramWindows::AzimuthForm() {
    return Made(FAzimuthForm, MainForm);
}
TPreviewForm& TProgramWindows::PreviewForm() {
    return Made(FPreviewForm, MainForm);
}
TProfileEdForm& TProgramWindows::ProfileEdForm() {
    return Made(FProfileEdForm, MainForm);
}
TChartColor& TProgramWindows::ChartColorForm() {
    return Made(FChartColorForm, MainForm);
}
TAnglesForm& TProgramWindows::AnglesForm() {
    return Made(FAnglesForm, MainForm);
}
TProfileViewForm& TProgramWindows::ProfileViewForm() {
    return Made(FProfileViewForm, MainForm);
}

TStdReport& TProgramWindows::Report() {
    if (!FReport) {
        FReport = std::make_unique<TStdReport>(PreviewForm().Engine);
        FPreviewForm->Attach(*FReport);
    }
    return *FReport;
}

TAboutBoxDlg& TProgramWindows::AboutBox() {
    if (!FAboutBox) {
        FAboutBox = std::make_unique<TAboutBoxDlg>(&MainForm);
        ApplyMainWindowValues(*FAboutBox, FVersion);
    }
    return *FAboutBox;
}

void TProgramWindows::Show() {
    MainForm.show();
    // The about box is made only when the splash is wanted; otherwise on first use.
    if (TAboutBoxDlg::StoredSplashScreen()) AboutBox().ShowSplash();
}

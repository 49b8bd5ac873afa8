#pragma once
// The program's windows, wired to the main window: the row dialogs of the property list, the profile
// dialogs, the caption's version, the report with its preview, and the about box. Only the main window
// is built at start; each other window is made over it when a command first needs it and kept for the
// rest of the run, so start-up builds what it shows and no more. The report page settings are read at
// creation and written when the windows go, with the main window. The program entry creates one; tests
// create one to drive the program as it runs.
#include "app/Main.h"

#include <memory>

class TAboutBoxDlg;
class TAnglesForm;
class TCalendarForm;
class TDesignReportDlg;
class TChartColor;
class TPreviewForm;
class TProfileEdForm;
class TProfileViewForm;
class TSelectAzimuthForm;
class TSelectLocationForm;
class TStdReport;

struct TProgramWindows {
    // version: the text of the caption and the about box ("" when the executable carries none).
    explicit TProgramWindows(const QString& version);
    ~TProgramWindows();

    TMainForm MainForm;

    // The other windows, each made on first use.
    TCalendarForm& CalendarForm();
    TSelectLocationForm& LocationForm();
    TSelectAzimuthForm& AzimuthForm();
    TPreviewForm& PreviewForm();
    TStdReport& Report(); // the program's one composer, drawing through the preview
    TProfileEdForm& ProfileEdForm();
    TChartColor& ChartColorForm();
    TAnglesForm& AnglesForm();
    TProfileViewForm& ProfileViewForm();
    TAboutBoxDlg& AboutBox();
    TDesignReportDlg& DesignReportDlg();
    // "&Design Report...": the project block and the design-peaks choice in the dialog, then the
    // design report in the preview.
    void DesignReportCommand();

    // Shows the main window, then the about box as a splash screen when the user asked for it.
    void Show();

private:
    QString FVersion;
    // Declared after the main window, so each goes before it; the report before its preview.
    std::unique_ptr<TCalendarForm> FCalendarForm;
    std::unique_ptr<TSelectLocationForm> FLocationForm;
    std::unique_ptr<TSelectAzimuthForm> FAzimuthForm;
    std::unique_ptr<TPreviewForm> FPreviewForm;
    std::unique_ptr<TStdReport> FReport;
    std::unique_ptr<TProfileEdForm> FProfileEdForm;
    std::unique_ptr<TChartColor> FChartColorForm;
    std::unique_ptr<TAnglesForm> FAnglesForm;
    std::unique_ptr<TProfileViewForm> FProfileViewForm;
    std::unique_ptr<TAboutBoxDlg> FAboutBox;
    std::unique_ptr<TDesignReportDlg> FDesignReportDlg;
};

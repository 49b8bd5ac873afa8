#pragma once
// The program's windows, each created once for the whole run in the program's order (the members'
// order), and wired to the main window: the row dialogs of the property list, the profile dialogs, the
// caption's version, the report with its preview, and the about box. The report page settings are read at creation and
// written when the windows go, with the main window. The program entry creates one; tests create one to
// drive the program as it runs.
#include "app/Main.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
#include "locations/TxSelectLocation.h"
#include "report/TxAboutDlg.h"
#include "report/TxStdReport.h"
#include "report/TxfReport.h"

struct TProgramWindows {
    // version: the text of the caption and the about box ("" when the executable carries none).
    explicit TProgramWindows(const QString& version);
    ~TProgramWindows();

    TMainForm MainForm;
    TCalendarForm CalendarForm{&MainForm};
    TSelectLocationForm LocationForm{&MainForm};
    TSelectAzimuthForm AzimuthForm{&MainForm};
    TPreviewForm PreviewForm{&MainForm};
    TStdReport Report{PreviewForm.Engine}; // the program's one composer, drawing through the preview
    TProfileEdForm ProfileEdForm{&MainForm};
    TChartColor ChartColorForm{&MainForm};
    TAnglesForm AnglesForm{&MainForm};
    TProfileViewForm ProfileViewForm{&MainForm};
    TAboutBoxDlg AboutBox{&MainForm};

    // Shows the main window, then the about box as a splash screen when the user asked for it.
    void Show();
};

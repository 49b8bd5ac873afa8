#pragma once
// The program's windows, each created once for the whole run in the program's order (the members'
// order), and wired to the main window: the row dialogs of the property list, the caption's version and
// the about box. The program entry creates one; tests create one to drive the program as it runs.
#include "app/Main.h"
#include "dialogs/SelectAngleDlg.h"
#include "dialogs/SelectAzimuthDlg.h"
#include "dialogs/TxCalendar.h"
#include "locations/TxSelectLocation.h"
#include "report/TxAboutDlg.h"

struct TProgramWindows {
    // version: the text of the caption and the about box ("" when the executable carries none).
    explicit TProgramWindows(const QString& version);

    TMainForm MainForm;
    TCalendarForm CalendarForm{&MainForm};
    TSelectLocationForm LocationForm{&MainForm};
    TSelectAzimuthForm AzimuthForm{&MainForm};
    TAnglesForm AnglesForm{&MainForm};
    TAboutBoxDlg AboutBox{&MainForm};

    // Shows the main window, then the about box as a splash screen when the user asked for it.
    void Show();
};

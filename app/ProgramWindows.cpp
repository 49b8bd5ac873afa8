#include "ProgramWindows.h"

TProgramWindows::TProgramWindows(const QString& version) {
    MainForm.SetRowDialogs({&LocationForm, &AzimuthForm, &AnglesForm, &CalendarForm});
    MainForm.SetVersion(version);
    ApplyMainWindowValues(AboutBox, version);
    MainForm.WireCommand(QStringLiteral("ActionAbout"), [this] { AboutBox.Execute(); });
}

void TProgramWindows::Show() {
    MainForm.show();
    if (AboutBox.SplashScreen()) AboutBox.ShowSplash();
}

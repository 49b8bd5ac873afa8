#pragma once
// The about box component of the main window: it keeps the texts, font and picture, builds the about
// form (TxAbout.h) whenever it is shown and frees it afterwards, and keeps the "SplashScreen" setting
// (section "Settings"): read once when the component is created, written each time the form closes.
//     TAboutBoxDlg about(mainWindow);
//     ApplyMainWindowValues(about, ProgramVersionText());
//     if (about.SplashScreen()) about.ShowSplash();   // at start-up
//     about.Execute();                                 // the "&About" command
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

class TAboutBox;
class QWidget;

class TAboutBoxDlg : public QObject {
    Q_OBJECT
public:
    // The form is shown over parentWindow (centred on the desktop when there is none).
    explicit TAboutBoxDlg(QWidget* parentWindow = nullptr);
    ~TAboutBoxDlg() override;

    QString DeveloperName;
    QString ProductName; // empty: the application name
    QFont ProductFont;
    QColor ProductFontColor;
    QString Version; // shown as "Version " + text; an empty text hides the line
    QString Copyright;
    QString Description;
    QString EMail;
    QString WebCaption;
    QString WebURL; // without the scheme
    QPixmap Picture;
    bool StretchPic = true;
    bool ShowWebb = true;

    // Shows the form modally; true when it was closed with OK.
    bool Execute();
    // Shows the form without waiting (the start-up display) and closes it after msecs or on OK;
    // the check box is stored when it closes. Returns the form while it is open.
    TAboutBox* ShowSplash(int msecs = 4000);

    bool SplashScreen() const { return FSplashScreen; }
    // The stored setting, read without making the box: start-up asks it before anything else of the box.
    static bool StoredSplashScreen();
    // The product name the form shows.
    QString ShownProductName() const;

private:
    TAboutBox* CreateForm();
    // Takes the check box's state as the setting and writes it.
    void StoreSplash(const TAboutBox& form);

    QWidget* FParentWindow;
    bool FSplashScreen = false;
    QPointer<TAboutBox> FSplashForm;
};

// The font of the product name: Impact at the pixel height, or a bold font where Impact is absent.
QFont ProductTypeFont(int pixelSize);
// The values the main window gives its about box, with the version text of its executable.
void ApplyMainWindowValues(TAboutBoxDlg& about, const QString& version);

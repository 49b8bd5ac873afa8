#pragma once
// The about form: the product picture on the left, the maker, product, version, description and
// copyright on the right, the e-mail and web links, the "Show this form on program bootup" check box and
// OK. TAboutBoxDlg (TxAboutDlg.h) fills and shows it; the form exists only while it is shown.
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class TURLLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* PicturePanel;
    QLabel* Splash; // the picture
    QLabel* DeveloperName;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Description;
    QLabel* CopyrightNotice;
    QLabel* EMailCaption; // "E-Mail"
    TURLLabel* EMailLabel;
    QLabel* WebCaption; // "WebSite"
    TURLLabel* WebLabel;
    QCheckBox* CBSplash;
    QPushButton* OKButton;

    // Fixes the form's size to its client area of 284 x 298 pixels, or larger where the fonts need it,
    // after the texts were filled in.
    void FitSize();
};

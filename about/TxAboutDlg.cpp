#include "TxAboutDlg.h"

#include "Disclaimer.h"
#include "ProductPicture.h"
#include "TxAbout.h"
#include "URLLabel.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {

const char* const SettingsSection = "Settings";
const char* const SplashKey = "SplashScreen";

QColor ButtonTextColor() {
    return QApplication::palette().color(QPalette::ButtonText);
}

} // namespace

QFont ProductTypeFont(int pixelSize) {
    const QString impact = QStringLiteral("Impact");
    QFont font = QFontDatabase::hasFamily(impact) ? QFont(impact) : QApplication::font();
    font.setBold(!QFontDatabase::hasFamily(impact));
    font.setPixelSize(pixelSize);
    return font;
}

TAboutBoxDlg::TAboutBoxDlg(QWidget* parentWindow) : QObject(parentWindow), FParentWindow(parentWindow) {
    ProductFont = ProductTypeFont(29);
    ProductFont.setPointSize(22);
    ProductFontColor = ButtonTextColor();
    Version = QStringLiteral("1.0.0.0");
    FSplashScreen = StoredSplashScreen();
}

bool TAboutBoxDlg::StoredSplashScreen() {
    return TSettingsStore(SettingsSection).ReadBool(SplashKey, false);
}

TAboutBoxDlg::~TAboutBoxDlg() {
    delete FSplashForm.data();
}

QString TAboutBoxDlg::ShownProductName() const {
    return ProductName.isEmpty() ? QApplication::applicationName() : ProductName;
}

TAboutBox* TAboutBoxDlg::CreateForm() {
    auto* form = new TAboutBox(FParentWindow);
    form->DeveloperName->setFont(ProductTypeFont(19));
    form->DeveloperName->setText(DeveloperName);
    form->ProductName->setFont(ProductFont);
    QPalette productPalette = form->ProductName->palette();
    productPalette.setColor(QPalette::WindowText, ProductFontColor);
    form->ProductName->setPalette(productPalette);
    form->ProductName->setText(ShownProductName());
    form->Version->setText(QStringLiteral("Version ") + Version);
    form->Version->setVisible(!Version.isEmpty());
    form->Description->setText(Description);
    form->Description->setVisible(!Description.isEmpty());
    form->CopyrightNotice->setText(Copyright);
    form->EMailLabel->SetURL(QStringLiteral("mailto:") + EMail);
    form->EMailLabel->SetCaption(EMail);
    form->WebLabel->SetURL(QStringLiteral("http://") + WebURL);
    form->WebLabel->SetCaption(WebCaption);
    form->setWindowTitle(QStringLiteral("About ") + ShownProductName());
    form->Splash->setScaledContents(StretchPic);
    form->Splash->setPixmap(Picture);

    form->EMailCaption->show();
    form->CBSplash->show();
    form->CBSplash->setChecked(FSplashScreen);
    form->WebCaption->setVisible(ShowWebb);
    form->WebLabel->setVisible(ShowWebb);
    form->FitSize();
    if (!FParentWindow || !FParentWindow->isVisible()) {
        if (const QScreen* screen = QApplication::primaryScreen())
            form->move(screen->availableGeometry().center() - form->rect().center());
    }
    return form;
}

void TAboutBoxDlg::StoreSplash(const TAboutBox& form) {
    FSplashScreen = form.CBSplash->isChecked();
    TSettingsStore(SettingsSection).WriteBool(SplashKey, FSplashScreen);
}

bool TAboutBoxDlg::Execute() {
    std::unique_ptr<TAboutBox> form(CreateForm());
    // The setting is stored however the showing ends, an error included.
    struct StoreOnExit {
        TAboutBoxDlg* dlg;
        TAboutBox* form;
        ~StoreOnExit() { dlg->StoreSplash(*form); }
    } store{this, form.get()};
    return form->exec() == QDialog::Accepted;
}

TAboutBox* TAboutBoxDlg::ShowSplash(int msecs) {
    if (FSplashForm) return FSplashForm;
    TAboutBox* form = CreateForm();
    connect(form, &QDialog::finished, this, [this, form] {
        StoreSplash(*form);
        form->deleteLater();
    });
    QTimer::singleShot(msecs, form, &QDialog::accept);
    FSplashForm = form;
    form->show();
    return form;
}

void ApplyMainWindowValues(TAboutBoxDlg& about, const QString& version) {
    about.DeveloperName = QStringLiteral("Varnholt");
    about.ProductName = QStringLiteral("Quorvane");
    about.ProductFont = ProductTypeFont(29);
    about.ProductFontColor = ButtonTextColor();
    about.Version = version;
    about.Copyright = QStringLiteral("Copyright \u00A9 Varnholt. ") + DesignDisclaimer();
    about.Description.clear();
    about.EMail = QStringLiteral("quorvane@varnholt.example");
    about.WebCaption = QStringLiteral("www.varnholt.example");
    about.WebURL = QStringLiteral("www.varnholt.example/quorvane");
    about.Picture = QPixmap::fromImage(ProductPicture(QSize(85, 172), false));
    about.StretchPic = true;
    about.ShowWebb = true;
}

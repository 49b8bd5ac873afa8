#include "TxAbout.h"

#include "URLLabel.h"

#include "storage/PlainText.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* TextLabel(bool wrap = false) {
    QLabel* label = PlainLabel();
    label->setWordWrap(wrap);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    // A fixed frame with a caption but no caption buttons, above other windows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    PicturePanel = new QFrame;
    PicturePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PicturePanel->setLineWidth(1);
    PicturePanel->setFixedSize(87, 174);
    Splash = PlainLabel();
    Splash->setAlignment(Qt::AlignCenter);
    auto* panelLayout = new QVBoxLayout(PicturePanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(Splash);

    DeveloperName = TextLabel();
    ProductName = TextLabel();
    Version = TextLabel();
    Description = TextLabel(true);
    CopyrightNotice = TextLabel(true);
    QFont small = CopyrightNotice->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    CopyrightNotice->setFont(small);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    for (QLabel* label : {DeveloperName, ProductName, Version, Description})
        texts->addWidget(label);
    texts->addStretch(1);
    texts->addWidget(CopyrightNotice);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(PicturePanel, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    EMailCaption = TextLabel();
    EMailCaption->setText(QStringLiteral("E-Mail"));
    EMailLabel = new TURLLabel;
    EMailLabel->setObjectName(QStringLiteral("EMailLabel"));
    WebCaption = TextLabel();
    WebCaption->setText(QStringLiteral("WebSite"));
    WebLabel = new TURLLabel;
    WebLabel->setObjectName(QStringLiteral("WebLabel"));
    auto* links = new QGridLayout;
    links->setHorizontalSpacing(10);
    links->addWidget(EMailCaption, 0, 0);
    links->addWidget(EMailLabel, 0, 1);
    links->addWidget(WebCaption, 1, 0);
    links->addWidget(WebLabel, 1, 1);
    links->setColumnStretch(1, 1);

    CBSplash = new QCheckBox(QStringLiteral("&Show this form on program bootup"));
    CBSplash->setObjectName(QStringLiteral("CBSplash"));
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(links);
    layout->addWidget(CBSplash);
    layout->addLayout(buttons);
    // OK has the focus when the form opens; Tab then reaches the check box and the two links.
    OKButton->setFocus();
    setTabOrder(OKButton, CBSplash);
    setTabOrder(CBSplash, EMailLabel);
    setTabOrder(EMailLabel, WebLabel);
}

void TAboutBox::FitSize() {
    layout()->activate();
    const QSize wanted = QSize(284, 298).expandedTo(layout()->minimumSize());
    setFixedSize(wanted);
}

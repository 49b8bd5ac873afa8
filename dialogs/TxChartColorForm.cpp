#include "TxChartColorForm.h"

#include "storage/PlainText.h"
#include "storage/Settings.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace {

const char* const Section = "Settings";
const char* const DirectionNames[] = {"Top Bottom",  "Bottom Top",    "Left Right",      "Right Left",
                                      "From Centre", "From Top Left", "From Bottom Left"};
constexpr int DirectionCount = int(std::size(DirectionNames));

QFrame* Swatch() {
    auto* swatch = new QFrame;
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(40, 22);
    swatch->setAutoFillBackground(true);
    return swatch;
}

QLinearGradient Linear(QPointF from, QPointF to) {
    return QLinearGradient(from, to);
}

} // namespace

QBrush ChartBackground(const TChartColors& colors) {
    if (!colors.GradientVisible) return QBrush(colors.Panel);
    QGradient gradient;
    switch (colors.Direction) {
    case gdTopBottom:
        gradient = Linear({0, 0}, {0, 1});
        break;
    case gdBottomTop:
        gradient = Linear({0, 1}, {0, 0});
        break;
    case gdLeftRight:
        gradient = Linear({0, 0}, {1, 0});
        break;
    case gdRightLeft:
        gradient = Linear({1, 0}, {0, 0});
        break;
    case gdFromTopLeft:
        gradient = Linear({0, 0}, {1, 1});
        break;
    case gdFromBottomLeft:
        gradient = Linear({0, 1}, {1, 0});
        break;
    default: // from the centre out to the corners
        gradient = QRadialGradient(QPointF(0.5, 0.5), 0.71);
        break;
    }
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, colors.Start);
    gradient.setColorAt(1, colors.End);
    return QBrush(gradient);
}

int ColorToInt(const QColor& color) {
    return color.red() | color.green() << 8 | color.blue() << 16;
}

QColor IntToColor(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TChartColor::TChartColor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChartColor"));
    setWindowTitle(QStringLiteral("Chart Color"));

    FPanelSwatch = Swatch();
    FStartSwatch = Swatch();
    FEndSwatch = Swatch();
    FPanelButton = new QPushButton(QStringLiteral("&Panel Color..."));
    auto* startButton = new QPushButton(QStringLiteral("&Start Color..."));
    auto* endButton = new QPushButton(QStringLiteral("&End Color..."));
    connect(FPanelButton, &QPushButton::clicked, this,
            [this] { ChooseColor(FPanelSwatch, QStringLiteral("Panel Color")); });
    connect(startButton, &QPushButton::clicked, this,
            [this] { ChooseColor(FStartSwatch, QStringLiteral("Start Color")); });
    connect(endButton, &QPushButton::clicked, this,
            [this] { ChooseColor(FEndSwatch, QStringLiteral("End Color")); });
    for (QPushButton* b : {FPanelButton, startButton, endButton})
        b->setAutoDefault(false);

    FVisibleBox = new QCheckBox(QStringLiteral("&Visible"));
    FDirectionBox = new QComboBox;
    for (const char* name : DirectionNames)
        FDirectionBox->addItem(QString::fromLatin1(name));

    auto* panel = new QHBoxLayout;
    panel->addWidget(FPanelSwatch);
    panel->addWidget(FPanelButton);
    panel->addStretch();

    auto* gradient = new QGroupBox(QStringLiteral("Gradient"));
    auto* grid = new QGridLayout(gradient);
    grid->addWidget(FVisibleBox, 0, 0, 1, 2);
    grid->addWidget(FStartSwatch, 1, 0);
    grid->addWidget(startButton, 1, 1);
    grid->addWidget(FEndSwatch, 2, 0);
    grid->addWidget(endButton, 2, 1);
    auto* directionLabel = PlainLabel(QStringLiteral("&Direction"));
    directionLabel->setBuddy(FDirectionBox);
    grid->addWidget(directionLabel, 3, 0);
    grid->addWidget(FDirectionBox, 3, 1);
    grid->setColumnStretch(2, 1);

    // "Reset" reads like a link but takes the focus and the keyboard like a button.
    auto* reset = new QPushButton(QStringLiteral("&Reset"));
    reset->setFlat(true);
    reset->setAutoDefault(false);
    reset->setCursor(Qt::PointingHandCursor);
    reset->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                        " border: none; padding: 2px; }"));
    connect(reset, &QPushButton::clicked, this, &TChartColor::ResetDefaults);
    for (QPushButton* b : {FPanelButton, startButton, endButton, reset})
        b->setShortcut(QKeySequence::mnemonic(b->text()));
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addWidget(gradient);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ReadSettings();
}

TChartColors TChartColor::Colors() const {
    return {SwatchColor(FPanelSwatch), SwatchColor(FStartSwatch), SwatchColor(FEndSwatch),
            FVisibleBox->isChecked(), FDirectionBox->currentIndex()};
}

void TChartColor::SetColors(const TChartColors& colors) {
    SetSwatchColor(FPanelSwatch, colors.Panel);
    SetSwatchColor(FStartSwatch, colors.Start);
    SetSwatchColor(FEndSwatch, colors.End);
    FVisibleBox->setChecked(colors.GradientVisible);
    FDirectionBox->setCurrentIndex(colors.Direction >= 0 && colors.Direction < DirectionCount
                                       ? colors.Direction
                                       : TChartColors().Direction);
}

void TChartColor::ResetDefaults() {
    SetColors(TChartColors());
}

TChartColors StoredChartColors() {
    const TChartColors d;
    const TSettingsStore s(QString::fromLatin1(Section));
    return {IntToColor(s.ReadInteger(QStringLiteral("PanelColor"), ColorToInt(d.Panel))),
            IntToColor(s.ReadInteger(QStringLiteral("StartColor"), ColorToInt(d.Start))),
            IntToColor(s.ReadInteger(QStringLiteral("EndColor"), ColorToInt(d.End))),
            s.ReadBool(QStringLiteral("GradientVisible"), d.GradientVisible),
            s.ReadInteger(QStringLiteral("Direction"), d.Direction)};
}

void TChartColor::ReadSettings() {
    SetColors(StoredChartColors());
    SetCustomColorsText(
        TSettingsStore(QString::fromLatin1(Section)).ReadString(QStringLiteral("CustomColors"), QString()));
}

void TChartColor::WriteSettings() const {
    const TChartColors c = Colors();
    TSettingsStore s(QString::fromLatin1(Section));
    s.WriteInteger(QStringLiteral("PanelColor"), ColorToInt(c.Panel));
    s.WriteInteger(QStringLiteral("StartColor"), ColorToInt(c.Start));
    s.WriteInteger(QStringLiteral("EndColor"), ColorToInt(c.End));
    s.WriteBool(QStringLiteral("GradientVisible"), c.GradientVisible);
    s.WriteInteger(QStringLiteral("Direction"), c.Direction);
    s.WriteString(QStringLiteral("CustomColors"), CustomColorsText());
}

QString TChartColor::CustomColorsText() {
    QStringList lines;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        lines << QStringLiteral("Color%1=%2")
                     .arg(QChar(u'A' + i))
                     .arg(QString::number(ColorToInt(QColorDialog::customColor(i)), 16)
                              .rightJustified(6, QLatin1Char('0'))
                              .toUpper());
    return lines.join(QStringLiteral("\r\n"));
}

void TChartColor::SetCustomColorsText(const QString& text) {
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        // "ColorA=" .. "ColorP=" and the colour; any other line is no custom colour.
        const int index = line.size() > 7 ? line[5].unicode() - u'A' : -1;
        bool ok = false;
        const int value = line.mid(7).toInt(&ok, 16);
        if (line.startsWith(QStringLiteral("Color")) && line[6] == QLatin1Char('=') && index >= 0 &&
            index < QColorDialog::customCount() && ok)
            QColorDialog::setCustomColor(index, IntToColor(value));
    }
}

void TChartColor::done(int result) {
    WriteSettings();
    QDialog::done(result);
}

void TChartColor::ChooseColor(QFrame* swatch, const QString& title) {
    QColorDialog chooser(SwatchColor(swatch), this);
    chooser.setObjectName(QStringLiteral("ColorChooser"));
    chooser.setWindowTitle(title);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() == QDialog::Accepted) SetSwatchColor(swatch, chooser.selectedColor());
}

QColor TChartColor::SwatchColor(const QFrame* swatch) {
    return swatch->palette().color(QPalette::Window);
}

void TChartColor::SetSwatchColor(QFrame* swatch, const QColor& color) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, color);
    swatch->setPalette(palette);
}

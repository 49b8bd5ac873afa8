#pragma once
// The chart colour dialog: the result chart's panel colour and its background gradient (shown or not,
// start and end colours, direction), kept per user. Its controls are the live settings: the main window
// reads Colors() whenever it colours its chart. Every closing writes the settings back.
#include <QColor>
#include <QDialog>
#include <QGradient>

class QCheckBox;
class QComboBox;
class QFrame;
class QPushButton;

// The gradient directions, in the order of the "Direction" list and of the stored index.
enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCentre,
    gdFromTopLeft,
    gdFromBottomLeft,
};

struct TChartColors {
    QColor Panel = QColor(255, 255, 255);
    QColor Start = QColor(255, 255, 255);
    QColor End = QColor(244, 244, 235);
    bool GradientVisible = true;
    int Direction = gdFromCentre;

    bool operator==(const TChartColors&) const = default;
};

// The brush of a chart background with these colours: the gradient, laid over the chart's own
// rectangle from the start colour towards the end colour, or the plain panel colour.
QBrush ChartBackground(const TChartColors& colors);

// The colours as the settings hold them; a missing value takes its default. The dialog starts from
// these, and a chart built before the dialog was ever opened takes them.
TChartColors StoredChartColors();

// A colour as the settings store keeps it: red in the lowest byte, then green, then blue.
int ColorToInt(const QColor& color);
QColor IntToColor(int value);

class TChartColor : public QDialog {
    Q_OBJECT
public:
    // Reads the settings; a missing value takes its default.
    explicit TChartColor(QWidget* parent = nullptr);

    // The values as the controls hold them.
    TChartColors Colors() const;
    void SetColors(const TChartColors& colors);
    // The controls back to the defaults; the custom colours stay. Stored at the next closing.
    void ResetDefaults();

    void ReadSettings();
    void WriteSettings() const;

    // The chooser's 16 custom colours as stored: "ColorA=" to "ColorP=" with six hexadecimal digits,
    // lines separated by CR LF.
    static QString CustomColorsText();
    static void SetCustomColorsText(const QString& text);

    QPushButton* PanelButton() const { return FPanelButton; }
    QCheckBox* VisibleBox() const { return FVisibleBox; }
    QComboBox* DirectionBox() const { return FDirectionBox; }

    void done(int result) override;

private:
    // Opens the colour chooser on a swatch; a cancel leaves the swatch as it was.
    void ChooseColor(QFrame* swatch, const QString& title);
    static QColor SwatchColor(const QFrame* swatch);
    static void SetSwatchColor(QFrame* swatch, const QColor& color);

    QFrame* FPanelSwatch;
    QFrame* FStartSwatch;
    QFrame* FEndSwatch;
    QPushButton* FPanelButton;
    QCheckBox* FVisibleBox;
    QComboBox* FDirectionBox;
};

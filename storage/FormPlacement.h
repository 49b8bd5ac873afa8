#pragma once
// Window placement and font attributes kept in the per-user settings store. A window's section is its
// objectName (its class name when it has none): "Left", "Top", "Width", "Height", "Visible",
// "WinState" (0 normal, 1 minimised, 2 maximised).
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// Reads the stored position (and size, visibility when asked) with the window's current values as
// defaults, then applies the stored window state. The window lands wholly inside the available area
// of the screen holding its centre (the primary screen when none does): its size is cut to that area,
// its position pulled back as KeepReachable does and then as far as the whole window needs.
void RestoreFormPlacement(QWidget* form, bool restoreVisibility, bool restoreSize);
// Writes the six placement values; a maximised or minimised window stores its normal position and size.
void SaveFormPlacement(QWidget* form);

// Pulls a top-left corner back onto the desktop: an edge below the left (top) of the desktop moves to
// it, one further than its width (height) minus 100 pixels moves to the width (height) minus 200.
QPoint KeepReachable(QPoint topLeft, const QRect& desktop);

// A font with the attributes the settings keep beside QFont's own: its colour and character set.
struct TFontAttributes {
    QFont Font;
    QColor Color = Qt::black;
    int Charset = 1; // default character set; kept for stored settings, not used for drawing
};

// Colour values as stored: 0x00BBGGRR for a plain colour; a value with the top byte set names a
// system colour by its low byte and reads as the matching colour of the application palette.
qint32 ColorToSetting(const QColor& color);
QColor ColorFromSetting(qint32 value);

// Writes "Name", "Charset", "Style" (1 bold, 2 italic, 4 underline, 8 strike-out), "Size" (points) and
// "Color" to the section.
void SaveFontSettings(const TFontAttributes& font, const QString& section);
// Sets each attribute from its stored value, the font's current attribute being the default.
void LoadFontSettings(TFontAttributes& font, const QString& section);
// The same starting from a default font.
TFontAttributes LoadFontSettings(const QString& section);

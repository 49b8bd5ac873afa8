#pragma once
// Font attributes and colours kept in the per-user settings store. Fonts and colours need QtGui but no
// widgets, so the report's settings read them without the window placement.
#include <QColor>
#include <QFont>
#include <QString>

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

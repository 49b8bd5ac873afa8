#include "storage/FontSettings.h"

#include "storage/Settings.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace {

enum FontStyleBit { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

int StyleBitsOf(const QFont& font) {
    return (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
           (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
}

int PointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0) return int(std::lround(font.pointSizeF()));
    return font.pixelSize() > 0 ? int(std::lround(font.pixelSize() * 72.0 / 96.0)) : 0;
}

// Application palette colours standing in for the platform's numbered system colours.
QColor SystemColor(int index) {
    if (!qGuiApp) return Qt::black;
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 1:
    case 4:
        return palette.color(QPalette::Window);
    case 15:
        return palette.color(QPalette::Button);
    case 5:
        return palette.color(QPalette::Base);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Dark);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    case 21:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace

qint32 ColorToSetting(const QColor& color) {
    const QColor rgb = color.toRgb();
    return qint32((rgb.blue() << 16) | (rgb.green() << 8) | rgb.red());
}

QColor ColorFromSetting(qint32 value) {
    const quint32 bits = quint32(value);
    if (bits & 0xFF000000u) return SystemColor(int(bits & 0xFFu));
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

void SaveFontSettings(const TFontAttributes& font, const QString& section) {
    TSettingsStore s(section);
    s.WriteString("Name", font.Font.family());
    s.WriteInteger("Charset", font.Charset);
    s.WriteInteger("Style", StyleBitsOf(font.Font));
    s.WriteInteger("Size", PointSizeOf(font.Font));
    s.WriteInteger("Color", ColorToSetting(font.Color));
}

void LoadFontSettings(TFontAttributes& font, const QString& section) {
    TSettingsStore s(section);
    const QString name = s.ReadString("Name", font.Font.family());
    if (!name.isEmpty()) font.Font.setFamily(name);
    const int charset = s.ReadInteger("Charset", font.Charset);
    if (charset >= 0 && charset <= 255) font.Charset = charset;
    const int style = s.ReadInteger("Style", StyleBitsOf(font.Font));
    font.Font.setBold(style & fsBold);
    font.Font.setItalic(style & fsItalic);
    font.Font.setUnderline(style & fsUnderline);
    font.Font.setStrikeOut(style & fsStrikeOut);
    const int size = s.ReadInteger("Size", PointSizeOf(font.Font));
    if (size > 0 && size <= 1000) font.Font.setPointSize(size);
    font.Color = ColorFromSetting(s.ReadInteger("Color", ColorToSetting(font.Color)));
}

TFontAttributes LoadFontSettings(const QString& section) {
    TFontAttributes font;
    LoadFontSettings(font, section);
    return font;
}

#include "storage/FormPlacement.h"

#include "storage/Settings.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

enum WinState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };
enum FontStyleBit { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

QString SectionOf(const QWidget* form) {
    return form->objectName().isEmpty() ? QString(form->metaObject()->className()) : form->objectName();
}

int WinStateOf(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized) return wsMinimized;
    if (states & Qt::WindowMaximized) return wsMaximized;
    return wsNormal;
}

void ApplyWinState(QWidget* form, int winState) {
    Qt::WindowStates states = form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (winState == wsMinimized)
        states |= Qt::WindowMinimized;
    else if (winState == wsMaximized)
        states |= Qt::WindowMaximized;
    else if (winState != wsNormal)
        return; // an unknown stored state changes nothing
    form->setWindowState(states);
}

// The window's outer position and inner size as a normal window; a maximised or minimised window
// reports the placement it returns to.
QRect NormalPlacement(const QWidget* form) {
    const QRect normal = form->normalGeometry();
    if (WinStateOf(form->windowState()) == wsNormal || !normal.isValid())
        return QRect(form->pos(), form->size());
    const QPoint frameOffset = form->pos() - form->geometry().topLeft();
    return QRect(normal.topLeft() + frameOffset, normal.size());
}

// The available area of the screen a placement lands on: the screen holding its centre, else the
// primary screen. The centre is computed wide, since stored values may lie anywhere in int's range.
QRect AvailableArea(QPoint topLeft, QSize size) {
    auto centre = [](int edge, int extent) {
        return int(std::clamp<qint64>(qint64(edge) + extent / 2, INT_MIN, INT_MAX));
    };
    const QScreen* screen = QGuiApplication::screenAt(
        QPoint(centre(topLeft.x(), size.width()), centre(topLeft.y(), size.height())));
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves a window of the given outer size, no larger than the area, so that it lies wholly inside it.
QPoint KeepInside(QPoint topLeft, QSize size, const QRect& area) {
    const QPoint reachable = KeepReachable(topLeft, area);
    return QPoint(std::min(reachable.x(), area.left() + area.width() - size.width()),
                  std::min(reachable.y(), area.top() + area.height() - size.height()));
}

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

QPoint KeepReachable(QPoint topLeft, const QRect& desktop) {
    auto keep = [](int edge, int start, int extent) {
        if (edge < start) edge = start;
        if (edge > start + extent - 100) edge = start + extent - 200;
        return edge;
    };
    return QPoint(keep(topLeft.x(), desktop.left(), desktop.width()),
                  keep(topLeft.y(), desktop.top(), desktop.height()));
}

void RestoreFormPlacement(QWidget* form, bool restoreVisibility, bool restoreSize) {
    if (!form) return;
    TSettingsStore s(SectionOf(form));
    // Everything is clamped before the window sees it: a stored position near INT_MAX overflows the
    // window's rectangle arithmetic, and a huge size makes a window nothing can paint.
    QPoint topLeft(s.ReadInteger("Left", form->x()), s.ReadInteger("Top", form->y()));
    QSize size = form->size();
    if (restoreSize) {
        const QSize stored(s.ReadInteger("Width", size.width()), s.ReadInteger("Height", size.height()));
        if (stored.width() > 0 && stored.height() > 0) size = stored; // a broken size would hide it
    }
    const QRect area = AvailableArea(topLeft, size);
    if (area.isValid()) {
        const QSize frame = form->frameGeometry().size() - form->geometry().size();
        size = size.boundedTo(area.size() - frame);
        topLeft = KeepInside(topLeft, size + frame, area);
    }
    if (size != form->size()) form->resize(size);
    form->move(topLeft);
    if (restoreVisibility) form->setVisible(s.ReadBool("Visible", false));
    ApplyWinState(form, s.ReadInteger("WinState", WinStateOf(form->windowState())));
}

void SaveFormPlacement(QWidget* form) {
    if (!form) return;
    const QRect placement = NormalPlacement(form);
    TSettingsStore s(SectionOf(form));
    s.WriteInteger("Left", placement.x());
    s.WriteInteger("Top", placement.y());
    s.WriteInteger("Width", placement.width());
    s.WriteInteger("Height", placement.height());
    s.WriteBool("Visible", form->isVisible());
    s.WriteInteger("WinState", WinStateOf(form->windowState()));
}

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

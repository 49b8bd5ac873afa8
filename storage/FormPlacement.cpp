#include "storage/FormPlacement.h"

#include "storage/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace {

enum WinState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

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

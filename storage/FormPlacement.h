#pragma once
// Window placement kept in the per-user settings store. A window's section is its
// objectName (its class name when it has none): "Left", "Top", "Width", "Height", "Visible",
// "WinState" (0 normal, 1 minimised, 2 maximised).
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

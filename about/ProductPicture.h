#pragma once
// The program's picture: the sun over a wall with a recessed window. The about box shows it and the
// build draws the desktop icons from it, so both always match.
#include <QIcon>
#include <QImage>
#include <QSize>

class QPainter;
class QRectF;

// Paints the picture into the rectangle; any aspect ratio works (the about box's panel is tall).
// rounded gives the picture the rounded-square outline of an icon.
void PaintProductPicture(QPainter& painter, const QRectF& rect, bool rounded);
// The picture as an image with a transparent background.
QImage ProductPicture(const QSize& size, bool rounded);
// The picture as the icon of the program's windows, with the icon outline, drawn at whatever size the
// desktop asks for, when it asks.
QIcon ProductIcon();

#include "ProductPicture.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>

void PaintProductPicture(QPainter& painter, const QRectF& rect, bool rounded) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = rect.width();
    const qreal h = rect.height();
    const qreal unit = std::min(w, h);

    QPainterPath outline;
    if (rounded)
        outline.addRoundedRect(rect, unit * 0.18, unit * 0.18);
    else
        outline.addRect(rect);
    painter.setClipPath(outline);

    QLinearGradient sky(rect.topLeft(), rect.bottomLeft());
    sky.setColorAt(0, QColor(38, 120, 214));
    sky.setColorAt(1, QColor(170, 214, 250));
    painter.fillRect(rect, sky);

    // The sun, high on the right, with short rays.
    const qreal radius = unit * 0.17;
    const QPointF sun(rect.left() + w * 0.68, rect.top() + std::max(h * 0.26, radius * 2.0));
    painter.setPen(QPen(QColor(255, 214, 40), std::max(1.0, unit * 0.05), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        const QPointF dir(std::cos(a), std::sin(a));
        painter.drawLine(sun + dir * radius * 1.35, sun + dir * radius * 1.8);
    }
    QRadialGradient disc(sun, radius);
    disc.setColorAt(0, QColor(255, 250, 190));
    disc.setColorAt(1, QColor(255, 196, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(sun, radius, radius);

    // The wall: the lower part of the picture, its top edge lit by the sun.
    const QRectF wall(rect.left(), rect.top() + h * 0.52, w * 0.80, h * 0.48);
    painter.setBrush(QColor(196, 112, 74));
    painter.drawRect(wall);
    painter.setBrush(QColor(226, 150, 104));
    painter.drawRect(QRectF(wall.topLeft(), QSizeF(wall.width(), std::max(1.0, unit * 0.05))));

    // The window set back in the wall: glass, with the shadow of the head and of one reveal.
    const QRectF glass(wall.left() + wall.width() * 0.22, wall.top() + wall.height() * 0.22,
                       wall.width() * 0.56, wall.height() * 0.52);
    painter.setBrush(QColor(150, 220, 255));
    painter.drawRect(glass);
    const qreal depth = std::max(1.0, unit * 0.07);
    painter.setBrush(QColor(40, 70, 110, 200));
    painter.drawRect(QRectF(glass.topLeft(), QSizeF(glass.width(), depth)));
    painter.drawRect(QRectF(glass.topLeft(), QSizeF(depth, glass.height())));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(90, 44, 28), std::max(1.0, unit * 0.025)));
    painter.drawRect(glass);
    painter.restore();
}

QImage ProductPicture(const QSize& size, bool rounded) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintProductPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), rounded);
    return image;
}

namespace {

class TProductIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        PaintProductPicture(*painter, rect, true);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return QPixmap::fromImage(ProductPicture(size, true));
    }
    // The sizes desktops show a window's icon at; any other is drawn as well.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine* clone() const override { return new TProductIconEngine; }
};

} // namespace

QIcon ProductIcon() {
    return QIcon(new TProductIconEngine);
}

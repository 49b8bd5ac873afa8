#include "SelectAngleDlg.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Screen directions of the ground axes in the oblique view: south comes towards the viewer, west
// lies to the left, as on a plan with north up seen from above the south.
const QPointF South(-0.35, 0.5);
const QPointF West(-1, 0);
const QPointF Up(0, -1);

// A horizontal ground direction of an azimuth [deg from south, west positive].
QPointF Ground(double azimuth) {
    const double a = azimuth * Pi / 180;
    return South * std::cos(a) + West * std::sin(a);
}

// Screen angle [deg, counter-clockwise from right] of a screen direction.
double ScreenAngle(QPointF d) {
    return std::atan2(-d.y(), d.x()) * 180 / Pi;
}

// An arc of radius r about o from direction a to direction b (the shorter way), with its label.
void AngleArc(QPainter& p, QPointF o, QPointF a, QPointF b, double r, const QString& label) {
    const double start = ScreenAngle(a);
    double sweep = ScreenAngle(b) - start;
    while (sweep > 180)
        sweep -= 360;
    while (sweep < -180)
        sweep += 360;
    QPainterPath arc;
    const QRectF box(o.x() - r, o.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, sweep);
    p.drawPath(arc);
    const double mid = (start + sweep / 2) * Pi / 180;
    const QPointF at = o + QPointF(std::cos(mid), -std::sin(mid)) * (r + 10);
    p.drawText(QRectF(at.x() - 10, at.y() - 9, 20, 18), Qt::AlignCenter, label);
}

void Axis(QPainter& p, QPointF o, QPointF d, double length, const QString& name) {
    const QPointF end = o + d * length;
    p.drawLine(o, end);
    const QPointF at = o + d * (length + 12);
    p.drawText(QRectF(at.x() - 10, at.y() - 9, 20, 18), Qt::AlignCenter, name);
}

QPolygonF Quad(QPointF a, QPointF b, QPointF c, QPointF d) {
    return QPolygonF{a, b, c, d};
}

const QColor Ink(40, 40, 40);
const QColor Surface(150, 190, 230, 150);
const QColor SunColour(240, 170, 20);
const QColor AngleColour(190, 40, 40);

// The sun, its position angles and a vertical surface with its normal, about the origin O.
void DrawSunAngles(QPainter& p) {
    const QPointF o(170, 250);
    const double sunAzimuth = 60, surfaceAzimuth = -45;
    const QPointF toH = Ground(sunAzimuth);
    const QPointF toP = Ground(surfaceAzimuth);
    const QPointF h = o + toH * 95;
    const QPointF sun = h + Up * 115;

    // The vertical surface, across its normal OP.
    const QPointF across = Ground(surfaceAzimuth + 90) * 55;
    p.setPen(QPen(QColor(70, 110, 160), 1));
    p.setBrush(Surface);
    p.drawPolygon(Quad(o - across, o + across, o + across + Up * 85, o - across + Up * 85));
    p.setBrush(Qt::NoBrush);

    p.setPen(QPen(Ink, 1.2));
    Axis(p, o, South, 130, QStringLiteral("S"));
    Axis(p, o, -South, 110, QStringLiteral("N"));
    Axis(p, o, West, 140, QStringLiteral("W"));
    Axis(p, o, -West, 95, QStringLiteral("E"));
    Axis(p, o, Up, 200, QStringLiteral("V"));

    p.setPen(QPen(Ink, 1.2, Qt::DashLine));
    p.drawLine(sun, h);
    p.setPen(QPen(Ink, 1.6));
    p.drawLine(o, h);
    p.drawLine(o, sun);
    p.setPen(QPen(QColor(70, 110, 160), 2));
    p.drawLine(o, o + toP * 110);

    // The sun with its rays.
    p.setPen(QPen(SunColour, 2));
    p.setBrush(QColor(255, 215, 80));
    p.drawEllipse(sun, 11, 11);
    for (int i = 0; i < 8; ++i) {
        const QPointF d(std::cos(i * Pi / 4), std::sin(i * Pi / 4));
        p.drawLine(sun + d * 14, sun + d * 20);
    }
    p.setBrush(Qt::NoBrush);

    p.setPen(Ink);
    auto name = [&](QPointF at, const QString& text) {
        p.drawText(QRectF(at.x() - 12, at.y() - 9, 24, 18), Qt::AlignCenter, text);
    };
    name(o + QPointF(12, 10), QStringLiteral("O"));
    name(h + QPointF(-4, 12), QStringLiteral("H"));
    name(o + toP * 110 + QPointF(10, 8), QStringLiteral("P"));
    name(sun + QPointF(0, -30), QStringLiteral("Sun"));

    p.setPen(QPen(AngleColour, 1.2));
    AngleArc(p, o, toH, sun - o, 48, QStringLiteral("\u03B2")); // solar altitude
    AngleArc(p, o, South, toH, 30, QStringLiteral("\u03C6"));   // solar azimuth
    AngleArc(p, o, South, toP, 66, QStringLiteral("\u03C8"));   // surface azimuth
    AngleArc(p, o, toH, toP, 86, QStringLiteral("\u03B3"));     // surface-solar azimuth
}

// Three small surfaces: vertical, tilted by Sigma, horizontal.
void DrawSurfaces(QPainter& p) {
    const QPointF depth(28, -14);
    // Vertical, above its label area.
    {
        const QPointF base(305, 118), right(70, 0);
        p.setPen(QPen(Ink, 1));
        p.drawLine(base - QPointF(10, 0), base + right + QPointF(20, 0));
        p.setPen(QPen(QColor(70, 110, 160), 1));
        p.setBrush(Surface);
        p.drawPolygon(Quad(base, base + right, base + right + Up * 80, base + Up * 80));
    }
    // Tilted by Sigma from the horizontal.
    {
        const QPointF hinge(430, 205), along(100, 0);
        const double sigma = 50 * Pi / 180;
        const QPointF rise = QPointF(std::cos(sigma), -std::sin(sigma)) * 95;
        p.setPen(QPen(Ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawLine(hinge - QPointF(10, 0), hinge + along + QPointF(15, 0));
        p.setPen(QPen(QColor(70, 110, 160), 1));
        p.setBrush(Surface);
        const QPointF side(34, 12); // the plane's edge along the hinge, seen obliquely
        p.drawPolygon(Quad(hinge, hinge + rise, hinge + rise + side, hinge + side));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(AngleColour, 1.2));
        AngleArc(p, hinge, QPointF(1, 0), rise, 38, QString());
        p.drawText(QRectF(440, 210, 115, 18), Qt::AlignLeft, QStringLiteral("\u03A3 = tilt angle"));
    }
    // Horizontal, above its label area.
    {
        const QPointF corner(395, 245), right(95, 0);
        p.setPen(QPen(QColor(70, 110, 160), 1));
        p.setBrush(Surface);
        p.drawPolygon(Quad(corner, corner + right, corner + right + depth, corner + depth));
        p.setBrush(Qt::NoBrush);
    }
}

} // namespace

TAnglesForm::TAnglesForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("AnglesForm"));
    setWindowTitle(QStringLiteral("Angles"));
    auto* picture = new TAnglesPicture(this);
    picture->setGeometry(0, 0, 560, 396);
    FVerticalArea =
        ClickArea(QRect(290, 132, 112, 37), QStringLiteral("Vertical surface\ntilt angle = 90\u00B0"), 90);
    FHorizontalArea =
        ClickArea(QRect(387, 256, 126, 33), QStringLiteral("Horizontal surface\ntilt angle = 0\u00B0"), 0);
    setFixedSize(560, 396);
}

QPushButton* TAnglesForm::ClickArea(const QRect& rect, const QString& text, int tilt) {
    auto* area = new QPushButton(text, this);
    area->setGeometry(rect);
    area->setAutoDefault(false);
    area->setCursor(Qt::PointingHandCursor);
    area->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #406080; background: white;"
                                       " color: #203040; font-size: 8pt; padding: 0px; }"
                                       "QPushButton:hover, QPushButton:focus { background: #eaf2fb; }"));
    connect(area, &QPushButton::clicked, this, [this, tilt] {
        FTilt = tilt;
        accept();
    });
    return area;
}

TAnglesPicture::TAnglesPicture(QWidget* parent) : QWidget(parent) {}

void TAnglesPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSunAngles(p);
    DrawSurfaces(p);
}

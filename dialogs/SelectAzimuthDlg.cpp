#include "SelectAzimuthDlg.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// The rose's picture is 200 x 200 with room around it for the labels.
constexpr int Margin = 36;
constexpr int RoseSize = 200;

struct TDirection {
    const char* Name;
    double Azimuth;     // set by the label [deg]
    double ScreenAngle; // where its spoke points, counter-clockwise from screen right [deg]
};
// South is at the bottom and west on the left, as on a plan seen from above with north up.
const TDirection Directions[] = {
    {"S", 0, 270},  {"SW", 45, 225}, {"W", 90, 180}, {"NW", 135, 135},
    {"N", 180, 90}, {"NE", 225, 45}, {"E", -90, 0},  {"SE", -45, 315},
};

QPointF OnCircle(QPointF centre, double radius, double screenAngle) {
    const double a = screenAngle * std::numbers::pi / 180;
    return centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
}

} // namespace

TSelectAzimuthForm::TSelectAzimuthForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("SelectAzimuthForm"));
    setWindowTitle(QStringLiteral("Select Azimuth"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* rose = new TCompassRose(this);
    rose->setGeometry(Margin, Margin, RoseSize, RoseSize);
    const QPointF centre(Margin + RoseSize / 2.0, Margin + RoseSize / 2.0);
    for (const TDirection& d : Directions) {
        auto* link = new QPushButton(QString::fromLatin1(d.Name), this);
        link->setObjectName(QString::fromLatin1(d.Name));
        link->setFlat(true);
        // Return on the focused point picks it, as Space does.
        link->setAutoDefault(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                           " border: none; padding: 1px 3px; background: white; }"
                                           "QPushButton:focus { outline: 1px dotted palette(link); }"));
        link->adjustSize();
        const QPointF at = OnCircle(centre, RoseSize / 2.0 + 16, d.ScreenAngle);
        link->move((at - QPointF(link->width() / 2.0, link->height() / 2.0)).toPoint());
        connect(link, &QPushButton::clicked, this, [this, azimuth = d.Azimuth] {
            FAzimuth = azimuth;
            accept();
        });
    }
    setFixedSize(RoseSize + 2 * Margin, RoseSize + 2 * Margin);
}

QPushButton* TSelectAzimuthForm::Link(const QString& direction) const {
    return findChild<QPushButton*>(direction);
}

TCompassRose::TCompassRose(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TCompassRose::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() / 2.0, height() / 2.0);
    const double r = std::min(width(), height()) / 2.0 - 8;

    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(245, 248, 252));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    for (const TDirection& d : Directions) {
        const bool main = std::strlen(d.Name) == 1;
        p.setPen(QPen(QColor(60, 60, 60), main ? 1.5 : 0.8, main ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(c, OnCircle(c, r, d.ScreenAngle));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(c, 3, 3);

    // The positive sense: an arc from the south point toward west, ending in an arrow head.
    const double arcRadius = r * 0.72;
    const QRectF arcBox(c.x() - arcRadius, c.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
    QPainterPath arc;
    arc.arcMoveTo(arcBox, 270);
    arc.arcTo(arcBox, 270, -50);
    const QColor accent(200, 60, 30);
    p.setPen(QPen(accent, 2));
    p.drawPath(arc);
    const QPointF tip = OnCircle(c, arcRadius, 220);
    // The arrow runs clockwise on the screen; its head points along the tangent there.
    const double t = 220 * std::numbers::pi / 180;
    const QPointF along(std::sin(t), std::cos(t)); // screen direction of a decreasing screen angle
    const QPointF normal(along.y(), -along.x());
    QPolygonF head{tip + along * 9, tip - along * 2 + normal * 5, tip - along * 2 - normal * 5};
    p.setBrush(accent);
    p.drawPolygon(head);

    // The plus sign beside the arrow.
    const QPointF plus = OnCircle(c, arcRadius - 18, 245);
    p.setPen(QPen(accent, 2));
    p.drawLine(plus - QPointF(5, 0), plus + QPointF(5, 0));
    p.drawLine(plus - QPointF(0, 5), plus + QPointF(0, 5));
}

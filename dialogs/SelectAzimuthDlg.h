#pragma once
// The azimuth picker: a compass rose with eight link labels at the ends of its spokes. A label sets its
// surface azimuth (degrees from south, west positive; "NE" is 225) and closes the dialog with OK.
#include <QDialog>

class QPushButton;

class TSelectAzimuthForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectAzimuthForm(QWidget* parent = nullptr);

    double Azimuth() const { return FAzimuth; }
    void SetAzimuth(double azimuth) { FAzimuth = azimuth; }

    // The label of a direction ("S", "SW", ..., "SE"), or null.
    QPushButton* Link(const QString& direction) const;

private:
    double FAzimuth = 0;
};

// The compass rose: a circle crossed by eight spokes, with a plus sign and a curved arrow that leaves
// the south point toward west (the positive sense of the azimuth).
class TCompassRose : public QWidget {
    Q_OBJECT
public:
    explicit TCompassRose(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {200, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

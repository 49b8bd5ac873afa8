#pragma once
// The angle illustration: a drawing of the sun-position and surface angles (solar altitude and azimuth,
// surface azimuth, surface-solar azimuth, tilt). Its two framed labels set the tilt to 90 (vertical
// surface) or 0 (horizontal surface) and close the dialog with OK.
#include <QDialog>

class QPushButton;

class TAnglesForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnglesForm(QWidget* parent = nullptr);

    // The whole-degree tilt last clicked; 0 at creation.
    int Tilt() const { return FTilt; }

    QPushButton* VerticalArea() const { return FVerticalArea; }
    QPushButton* HorizontalArea() const { return FHorizontalArea; }

private:
    QPushButton* ClickArea(const QRect& rect, const QString& text, int tilt);

    int FTilt = 0;
    QPushButton* FVerticalArea;
    QPushButton* FHorizontalArea;
};

// The 560 x 396 drawing behind the click areas.
class TAnglesPicture : public QWidget {
    Q_OBJECT
public:
    explicit TAnglesPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {560, 396}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

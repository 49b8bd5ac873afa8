#include "WindowPage.h"

#include "InputCheck.h"
#include "controls/TxFmtEdit.h"
#include "storage/PlainText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Centimetres: two decimals show every start value (1.25 m, 0.15 m) as it is.
TxFEdit* GlassEdit(const char* name, TInputRange range) {
    auto* edit = new TxFEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetFormatStr(QStringLiteral("%0.2f"));
    edit->SetFormatType(ft_Fixed);
    edit->SetSigDigs(5);
    edit->SetRangeLo(range.Lo);
    edit->SetRangeHi(range.Hi);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

// Marks a place where a comma-separated line may wrap; never copied out.
const QChar WrapPoint(0x200B);
} // namespace

void TFractionMemo::SetLine(const QString& line) {
    QString shown = line;
    shown.replace(QLatin1Char(','), QString(QLatin1Char(',')) + WrapPoint);
    setPlainText(shown);
}

TFractionMemo::TFractionMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setObjectName(QStringLiteral("AreaFactorMemo"));
}

QMimeData* TFractionMemo::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selectedText().remove(WrapPoint));
    return data;
}

TRecessPicture::TRecessPicture(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    setMinimumSize(120, 80);
    setMaximumHeight(220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TRecessPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

// A window in a recess, seen from outside and a little from the left and above: the wall face, the
// opening, and set back by the depth the glass, with the head and a reveal in shade.
void TRecessPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 245 x 140 plan, scaled to fit and centred.
    const double scale = std::min({width() / 245.0, height() / 140.0, 1.5});
    p.translate((width() - 245 * scale) / 2, (height() - 140 * scale) / 2);
    p.scale(scale, scale);
    const QRectF opening(40, 22, 120, 92);
    const QPointF back(16, 12); // the depth, as it shows in this view
    const QRectF glass = opening.translated(back).adjusted(0, 0, -back.x() * 0.2, -back.y() * 0.2);
    p.fillRect(QRectF(16, 6, 168, 128), QColor(215, 208, 195)); // wall face
    p.setPen(QPen(QColor(90, 90, 90), 1));
    const QPolygonF head{opening.topLeft(), opening.topRight(), glass.topRight(), glass.topLeft()};
    const QPolygonF reveal{opening.topLeft(), glass.topLeft(), glass.bottomLeft(), opening.bottomLeft()};
    const QPolygonF otherReveal{opening.topRight(), opening.bottomRight(), glass.bottomRight(),
                                glass.topRight()};
    const QPolygonF sill{opening.bottomLeft(), glass.bottomLeft(), glass.bottomRight(),
                         opening.bottomRight()};
    p.setBrush(QColor(150, 145, 135));
    p.drawPolygon(head);
    p.drawPolygon(reveal);
    p.setBrush(QColor(190, 184, 172));
    p.drawPolygon(otherReveal);
    p.drawPolygon(sill);
    p.setBrush(QColor(175, 210, 235));
    p.drawRect(glass);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(glass.topLeft() + QPointF(20, 30), glass.topLeft() + QPointF(45, 8));

    p.setPen(QColor(30, 30, 30));
    auto label = [&](QPointF at, QPointF text, const QString& caption) {
        p.drawLine(at, text);
        p.drawText(QRectF(text.x() + 2, text.y() - 8, 60, 16), Qt::AlignLeft | Qt::AlignVCenter, caption);
    };
    label(QPointF(120, 28), QPointF(190, 14), QStringLiteral("Head"));
    label(QPointF(48, 80), QPointF(190, 126), QString());
    p.drawText(QRectF(192, 118, 50, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Reveal"));
    label(QPointF(120, 70), QPointF(190, 64), QStringLiteral("Glass"));
    // The depth along the lower-left edge of the recess.
    p.setPen(QPen(QColor(180, 40, 40), 1.5));
    const QPointF a = opening.bottomLeft() + QPointF(-6, 8), b = a + back;
    p.drawLine(a, b);
    p.drawText(QRectF(0, 118, 40, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Depth"));
}

TWindowPage::TWindowPage(TCalcDocument& doc) : TResultPageWidget(doc) {}

void TWindowPage::Build() {
    FGlassHeightEdit = GlassEdit("GlassHeightEdit", InputRange(inGlassHeight));
    FGlassWidthEdit = GlassEdit("GlassWidthEdit", InputRange(inGlassWidth));
    FGlassDepthEdit = GlassEdit("GlassDepthEdit", InputRange(inGlassDepth));
    FGlassHeightEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassHeightEdit, inGlassHeight); };
    FGlassWidthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassWidthEdit, inGlassWidth); };
    FGlassDepthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassDepthEdit, inGlassDepth); };
    for (TxFEdit* box : {FGlassHeightEdit, FGlassWidthEdit, FGlassDepthEdit})
        box->installEventFilter(this);

    auto* form = new QFormLayout;
    AddPlainRow(form, QStringLiteral("Glass Height, m"), FGlassHeightEdit);
    AddPlainRow(form, QStringLiteral("Glass Width, m"), FGlassWidthEdit);
    AddPlainRow(form, QStringLiteral("Recess Depth, m"), FGlassDepthEdit);
    auto* generate = LinkButton(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    auto run = [this] {
        if (OnGenerate) OnGenerate();
    };
    connect(generate, &QPushButton::clicked, this, run);
    auto* picture = new TRecessPicture;
    picture->OnClick = run;
    FAreaFactorMemo = new TFractionMemo;

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(picture, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(generate);
    layout->addWidget(FAreaFactorMemo, 1);
    for (TInputId id : {inGlassHeight, inGlassWidth, inGlassDepth})
        ShowGlass(id, FDoc.Input(id));
}

TxFEdit* TWindowPage::GlassEditOf(TInputId id) const {
    switch (id) {
    case inGlassHeight:
        return FGlassHeightEdit;
    case inGlassWidth:
        return FGlassWidthEdit;
    case inGlassDepth:
        return FGlassDepthEdit;
    default:
        return nullptr;
    }
}

void TWindowPage::ShowGlass(TInputId id, double value) {
    TxFEdit* box = GlassEditOf(id);
    if (!box) return;
    box->SetValue(value);
    // The value used is the value shown: one with finer digits than the box shows (from the settings)
    // takes the shown one.
    bool ok = false;
    const double shown = box->Value().toDouble(&ok);
    if (ok && shown != value) FDoc.SetInput(id, shown);
}

bool TWindowPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* box = qobject_cast<TxFEdit*>(watched);
        if (box && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            CommitEdit(box);
            return true;
        }
    }
    return TResultPageWidget::eventFilter(watched, event);
}

// Leaving a box stores what it shows; an emptied box or one holding no number (pasted) is refused as
// the property list refuses a cell, and shows the document's value again.
void TWindowPage::GlassEditExit(TxFEdit* box, TInputId id) {
    double value = 0;
    QString message;
    if (ReadInputText(id, box->text(), value, message)) return FDoc.SetInput(id, value);
    ShowGlass(id, FDoc.Input(id));
    RefuseValue(this, message, [this](const QString& text) {
        if (OnMessage) OnMessage(text);
    });
}

void TWindowPage::AreaFactorsChanged() {
    if (FAreaFactorMemo) FAreaFactorMemo->SetLine(FDoc.AreaFactorText());
}

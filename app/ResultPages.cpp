#include "ResultPages.h"

#include "controls/TxFmtEdit.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// The text a glass box showed for the document's value, kept on the box.
const char* const ShownTextProperty = "shownText";

// A read-only field of the Local page.
QLineEdit* ReadOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// A label that reads like a link and runs an action when clicked.
QPushButton* LinkButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline;"
                                         " border: none; text-align: left; padding: 2px; }"));
    return button;
}

TxFEdit* GlassEdit(const char* name, double lo, double hi) {
    auto* edit = new TxFEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetFormatStr(QStringLiteral("%0.1f"));
    edit->SetFormatType(ft_Fixed);
    edit->SetSigDigs(5);
    edit->SetRangeLo(lo);
    edit->SetRangeHi(hi);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

template <class Page, class... Args> std::function<TResultPageWidget*(TCalcDocument&)> Builder(Args... args) {
    return [=](TCalcDocument& doc) { return new Page(doc, args...); };
}

} // namespace

const QList<TPageSpec>& ResultPageTable() {
    static const QList<TPageSpec> table{
        {pgAngles, "Angles", "Angles", Builder<TResultListPage>(pgAngles)},
        {pgSolar, "Solar", "Solar Tables", Builder<TResultListPage>(pgSolar)},
        {pgPlot, "Plot", "Solar Plot", Builder<TPlotPage>()},
        {pgWindow, "Window", "Window Shading", Builder<TWindowPage>()},
        {pgLocal, "Local", "Solar Times", Builder<TLocalPage>()},
        {pgSolAir, "SolAir", "Sol-Air Temperature", Builder<TSolAirPage>()},
    };
    return table;
}

TResultPageWidget::TResultPageWidget(TCalcDocument& doc, QWidget* parent) : QWidget(parent), FDoc(doc) {}

// ---- Result lists --------------------------------------------------------------------------------

QTreeWidget* CreateResultList(const QStringList& captions, int leftAligned) {
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels(captions);
    list->header()->setStretchLastSection(false);
    for (int c = 0; c < captions.size(); ++c) {
        const Qt::Alignment align = c < leftAligned ? Qt::AlignLeft : Qt::AlignRight;
        list->headerItem()->setTextAlignment(c, align | Qt::AlignVCenter);
        list->setColumnWidth(c, 70);
    }
    return list;
}

void FillResultList(QTreeWidget* list, const QList<TResultRow>& rows) {
    list->setUpdatesEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const TResultRow& row : rows) {
        auto* item = new QTreeWidgetItem(QStringList{row.Caption} + row.Cells);
        for (int c = 0; c < list->columnCount(); ++c)
            item->setTextAlignment(c, list->headerItem()->textAlignment(c));
        items.append(item);
    }
    list->addTopLevelItems(items);
    list->setUpdatesEnabled(true);
}

TResultListPage::TResultListPage(TCalcDocument& doc, TResultPage page) : TResultPageWidget(doc), FPage(page) {
    // "Normal" is left-aligned like "CT" on the Solar list.
    FList = page == pgAngles ? CreateResultList(TCalcDocument::AnglesColumns(), 1)
                             : CreateResultList(TCalcDocument::SolarColumns(), 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FList);
}

void TResultListPage::SolveFinished() {
    FillResultList(FList, FPage == pgAngles ? FDoc.AnglesRows() : FDoc.SolarRows());
}

// ---- Plot ----------------------------------------------------------------------------------------

TPlotPage::TPlotPage(TCalcDocument& doc) : TResultPageWidget(doc) {
    FBars = new QStackedBarSeries;
    FBars->setBarWidth(0.8);
    auto* chart = new QChart;
    chart->addSeries(FBars);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    FChartView = new QChartView(chart);
    FChartView->setRenderHint(QPainter::Antialiasing);
    FChartView->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Copy to clipboard"), FChartView);
    connect(copy, &QAction::triggered, this, &TPlotPage::CopyChart);
    FChartView->addAction(copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FChartView);
}

void TPlotPage::SolveFinished() {
    FBars->clear();
    const struct {
        const char* name;
        QColor colour;
        const TProfile24& values;
    } series[] = {{"Reflected", QColor(255, 128, 128), FDoc.ReflectedProfile()},
                  {"Diffuse", QColor(0, 128, 255), FDoc.DiffuseProfile()},
                  {"Beam", QColor(255, 255, 128), FDoc.DirectProfile()}};
    QStringList hours;
    for (const TResultRow& row : FDoc.SolarRows())
        hours << row.Caption.trimmed();
    for (const auto& s : series) {
        auto* set = new QBarSet(QString::fromLatin1(s.name));
        set->setColor(s.colour);
        set->setBorderColor(s.colour.darker(130));
        for (const QString& hour : hours)
            set->append(s.values[hour.toInt()]);
        FBars->append(set);
    }
    QChart* chart = FChartView->chart();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* x = new QBarCategoryAxis;
    x->append(hours);
    x->setTitleText(QStringLiteral("Clock hour"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("W/m²"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    FBars->attachAxis(x);
    FBars->attachAxis(y);
    // The stacks reach the total of each hour; the axis is scaled to the highest stack.
    double top = 0;
    for (const QString& hour : hours)
        top = std::max(top, FDoc.TotalProfile()[hour.toInt()]);
    y->setRange(0, top > 0 ? top : 1);
    y->applyNiceNumbers();
}

void TPlotPage::CopyChart() {
    QPixmap picture(FChartView->size());
    picture.fill(Qt::white);
    FChartView->QWidget::render(&picture);
    QGuiApplication::clipboard()->setPixmap(picture);
}

// ---- Window --------------------------------------------------------------------------------------

TWindowPage::TWindowPage(TCalcDocument& doc) : TResultPageWidget(doc) {
    FGlassHeightEdit = GlassEdit("GlassHeightEdit", 0.01, 100);
    FGlassWidthEdit = GlassEdit("GlassWidthEdit", 0.01, 100);
    FGlassDepthEdit = GlassEdit("GlassDepthEdit", 0, 20);
    FGlassHeightEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassHeightEdit, inGlassHeight); };
    FGlassWidthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassWidthEdit, inGlassWidth); };
    FGlassDepthEdit->OnExit = [this](QObject*) { GlassEditExit(FGlassDepthEdit, inGlassDepth); };

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Glass Height, m"), FGlassHeightEdit);
    form->addRow(QStringLiteral("Glass Width, m"), FGlassWidthEdit);
    form->addRow(QStringLiteral("Recess Depth, m"), FGlassDepthEdit);
    auto* generate = LinkButton(QStringLiteral("Sunlit Area Fraction (vertical glass)"));
    connect(generate, &QPushButton::clicked, this, [this] {
        if (OnGenerate) OnGenerate();
    });
    FAreaFactorMemo = new QPlainTextEdit;
    FAreaFactorMemo->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(generate);
    layout->addWidget(FAreaFactorMemo, 1);
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
    if (TxFEdit* box = GlassEditOf(id)) {
        box->SetValue(value);
        box->setProperty(ShownTextProperty, box->text());
    }
}

// The boxes show one decimal, so a value such as 1.25 m reads back as 1.2: only a text the user
// changed is stored, and leaving a box untouched keeps the document's exact value.
void TWindowPage::GlassEditExit(TxFEdit* box, TInputId id) {
    if (box->text() == box->property(ShownTextProperty).toString()) return;
    bool ok = false;
    const double value = box->Value().toDouble(&ok);
    if (ok) FDoc.SetInput(id, value);
}

void TWindowPage::AreaFactorsChanged() {
    FAreaFactorMemo->setPlainText(FDoc.AreaFactorText());
}

// ---- Local ---------------------------------------------------------------------------------------

TLocalPage::TLocalPage(TCalcDocument& doc) : TResultPageWidget(doc) {
    FSunriseEdit = ReadOnlyField();
    FSunsetEdit = ReadOnlyField();
    FSolDecEdit = ReadOnlyField();
    FEqnTimeEdit = ReadOnlyField();
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Sunrise, Hour:Min"), FSunriseEdit);
    fields->addRow(QStringLiteral("Sunset, Hour:Min"), FSunsetEdit);
    fields->addRow(QStringLiteral("Solar Declination, Deg"), FSolDecEdit);
    fields->addRow(QStringLiteral("Equation of Time, min"), FEqnTimeEdit);

    FClockTimeEdit = new QLineEdit(FDoc.LocalTimeText());
    FClockTimeEdit->setAlignment(Qt::AlignRight);
    FClockTimeRadio = new QRadioButton(QStringLiteral("Clock Time"));
    FSolarTimeRadio = new QRadioButton(QStringLiteral("Solar Time"));
    FClockTimeRadio->setChecked(true);
    auto* update = LinkButton(QStringLiteral("Update Local Angles"));
    connect(update, &QPushButton::clicked, this, &TLocalPage::Label9Click);
    auto* time = new QHBoxLayout;
    time->addWidget(new QLabel(QStringLiteral("Time, Hours")));
    time->addWidget(FClockTimeEdit);
    time->addWidget(FClockTimeRadio);
    time->addWidget(FSolarTimeRadio);
    time->addStretch();

    FLocalMemo = new QPlainTextEdit;
    FLocalMemo->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(time);
    layout->addWidget(update);
    layout->addWidget(FLocalMemo, 1);
}

void TLocalPage::LocalChanged() {
    const TLocalFields& f = FDoc.LocalFields();
    FSunriseEdit->setText(f.Sunrise);
    FSunsetEdit->setText(f.Sunset);
    FSolDecEdit->setText(f.Declination);
    FEqnTimeEdit->setText(f.EquationOfTime);
    FClockTimeEdit->setText(FDoc.LocalTimeText());
    FLocalMemo->setPlainText(FDoc.LocalLines().join(QLatin1Char('\n')));
}

void TLocalPage::CommitTime() {
    FDoc.SetLocalTime(FClockTimeEdit->text(), FSolarTimeRadio->isChecked());
}

void TLocalPage::Label9Click() {
    CommitTime();
    FDoc.RefreshLocalAngles();
}

// ---- SolAir --------------------------------------------------------------------------------------

TSolAirPage::TSolAirPage(TCalcDocument& doc) : TResultPageWidget(doc) {
    FSurfaceColourBox = new QComboBox;
    FSurfaceColourBox->addItems({QStringLiteral("Light"), QStringLiteral("Dark")});
    connect(FSurfaceColourBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { FDoc.SetSurfaceColour(index == 1 ? scDark : scLight); });
    auto* autoAmbient = new QPushButton(QStringLiteral("Auto Ambient"));
    autoAmbient->setToolTip(QStringLiteral("Make ambient profile from location"));
    connect(autoAmbient, &QPushButton::clicked, this, [this] { FDoc.AutoAmbient(); });
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Surface Color")));
    top->addWidget(FSurfaceColourBox);
    top->addWidget(autoAmbient);
    top->addStretch();

    FList = CreateResultList(TCalcDocument::SolAirColumns(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top);
    layout->addWidget(FList, 1);
}

void TSolAirPage::SolAirChanged() {
    FillResultList(FList, FDoc.SolAirRows());
}

#include "CalcDetailsForm.h"

#include "CalcDetails.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum TColumn { colName, colSymbol, colFormula, colWithValues, colValue, colUnit, colCount };

QTreeWidgetItem* SectionItem(const QString& name, const QFont& font) {
    auto* item = new QTreeWidgetItem(QStringList{name});
    QFont bold = font;
    bold.setBold(true);
    item->setFont(colName, bold);
    return item;
}

QTreeWidgetItem* StepItem(const TCalcStep& step) {
    auto* item = new QTreeWidgetItem(
        QStringList{step.Name, step.Symbol, step.Formula, step.WithValues, step.ValueText(), step.Unit});
    item->setTextAlignment(colValue, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

TCalcDetailsForm::TCalcDetailsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CalcDetailsForm"));
    setWindowTitle(QStringLiteral("Calculation Details"));
    setSizeGripEnabled(true);

    FTitle = new QLabel(this);
    FTitle->setTextFormat(Qt::PlainText);
    FTitle->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FList = new QTreeWidget(this);
    FList->setObjectName(QStringLiteral("DetailsList"));
    FList->setColumnCount(colCount);
    FList->setHeaderLabels({QStringLiteral("Quantity"), QStringLiteral("Symbol"), QStringLiteral("Formula"),
                            QStringLiteral("With the values"), QStringLiteral("Value"),
                            QStringLiteral("Unit")});
    FList->headerItem()->setTextAlignment(colValue, Qt::AlignRight | Qt::AlignVCenter);
    FList->setRootIsDecorated(false);
    FList->setUniformRowHeights(true);
    FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FList->setAlternatingRowColors(true); // a row is followed across the wide columns by its shade
    FList->header()->setStretchLastSection(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // The standard "&Close" would take Alt+C from "&Copy"; Esc closes.
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Close"));
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &TCalcDetailsForm::CopyText);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* copyKey = new QAction(this);
    copyKey->setShortcut(QKeySequence::Copy);
    connect(copyKey, &QAction::triggered, this, &TCalcDetailsForm::CopyText);
    addAction(copyKey);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTitle);
    layout->addWidget(FList, 1);
    layout->addWidget(buttons);
    // Room for the title, a few rows and the buttons; wider text scrolls sideways.
    setMinimumSize(560, 320);
}

void TCalcDetailsForm::SetDetails(const TCalcDocument& doc, int hour) {
    const QList<TCalcStep> steps = CalcDetails(doc, hour);
    FText = CalcDetailsText(doc, hour);
    FTitle->setText(steps.isEmpty() ? QString() : DetailsTitle(doc, hour));
    FList->clear();
    QString section;
    for (const TCalcStep& step : steps) {
        if (step.Section != section) {
            section = step.Section;
            QTreeWidgetItem* item = SectionItem(section, FList->font());
            FList->addTopLevelItem(item);
            item->setFirstColumnSpanned(true);
        }
        FList->addTopLevelItem(StepItem(step));
    }
    FitWidth();
}

// Each column as wide as its widest text and a gap, and the window wide enough for all of them where
// the screen allows, so a checker reads each row without scrolling.
void TCalcDetailsForm::FitWidth() {
    const int gap = 2 * fontMetrics().averageCharWidth();
    for (int c = 0; c < colCount; ++c) {
        FList->resizeColumnToContents(c);
        FList->setColumnWidth(c, FList->columnWidth(c) + gap);
    }
    const int columns =
        FList->header()->length() + 2 * FList->frameWidth() + FList->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout()->contentsMargins();
    const QSize wanted(columns + margins.left() + margins.right(), 640);
    resize(screen() ? wanted.boundedTo(screen()->availableSize() * 0.9) : wanted);
}

void TCalcDetailsForm::CopyText() {
    QGuiApplication::clipboard()->setText(FText);
}

// The main window's commands: one table of actions (caption, hint, key, picture, handler), and the
// menus and the tool bar laid out from it and from the page table.
#include "Main.h"

#include "ResultPages.h"

#include <QAction>
#include <QIcon>
#include <QIconEngine>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>
#include <vector>

// The pictures live in the library's resources, which a static library must register itself.
static void InitCommandResources() {
    Q_INIT_RESOURCE(commands);
}

namespace {

struct TCommandSpec {
    const char* Name;
    const char* Caption;
    const char* Hint;
    void (TMainForm::*Run)(); // null: the command waits for WireCommand and is disabled until then
    const char* Icon;         // picture name in the resources
    QKeySequence Key;
    const char* MenuText = nullptr; // when the menu shows more than the caption
};

// Built on first use: a standard key sequence needs the running application's platform.
const std::vector<TCommandSpec>& Commands() {
    static const std::vector<TCommandSpec> commands{
        {"ActionLoad", "&Open", "Load", &TMainForm::ActionLoadExecute, "open", QKeySequence::Open},
        {"ActionSave", "&Save", "Save", &TMainForm::ActionSaveExecute, "save", QKeySequence::Save},
        {"ActionSaveAs", "Save &As...", "Save under another name", &TMainForm::ActionSaveAsExecute, "save",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ActionReset", "&Reset", "Reset", &TMainForm::ActionResetExecute, "reset", {}},
        {"ActionClose", "&Exit", "Close", &TMainForm::ActionCloseExecute, "exit", QKeySequence::Quit},
        {"ActionSolve", "&Update", "Solve", &TMainForm::ActionSolveExecute, "solve", Qt::Key_F9},
        {"ActionDesignPeaks",
         "Design &Peaks...",
         "Peaks of the design days and orientations",
         &TMainForm::ActionDesignPeaksExecute,
         "profile",
         {}},
        {"ActionCalcDetails",
         "Calculation &Details...",
         "The working behind the selected hour, step by step",
         &TMainForm::ActionCalcDetailsExecute,
         "profile",
         {}},
        {"ActionSunPosition",
         "&Sun Position...",
         "Sun position method: published or precise",
         &TMainForm::ActionSunPositionExecute,
         "solve",
         {}},
        {"ActionCopy", "&Copy", "Copy Current Page to Clipboard", &TMainForm::ActionCopyExecute, "copy",
         QKeySequence::Copy},
        {"ActionLocation", "&Location", "Select Location", &TMainForm::ActionLocationExecute, "location", {}},
        {"ActionProfile", "&Profile", "Show Profile", nullptr, "profile", {}, "Total Solar &Profile"},
        {"ActionHelp", "&Documentation", "Help", &TMainForm::ActionHelpExecute, "help",
         QKeySequence::HelpContents},
        {"ActionReport", "&Report", "Report Preview", nullptr, "report", {}},
        {"ActionReportPeaks",
         "Report with Design &Peaks",
         "Report Preview with the design peaks of the nine orientations",
         nullptr,
         "report",
         {}},
        {"ActionDesignReport",
         "&Design Report...",
         "The design report for a client: project, site, day, every table with units, method",
         nullptr,
         "report",
         {}},
        {"ActionAbout", "&About", "About", nullptr, "about", {}},
    };
    return commands;
}

// The picture of a command, from the resources in 16 and 32 pixels. Qt's own picture engine decodes
// its files as they are added; this one reads a file when a picture of its size is first drawn or
// measured, so start-up reads none and a tool bar or menu only the file it shows: 16 pixels for a
// size up to 16, else 32 scaled to fit.
class TCommandIconEngine : public QIconEngine {
public:
    explicit TCommandIconEngine(QString name) : FName(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        // The file is picked by the pixels drawn, which a high-density screen multiplies.
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        IconFor(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return IconFor(size).pixmap(size, 1.0, mode, state);
    }
    // Square files of 16 and 32 pixels: the picture fills the size up to its file's side, which is
    // known without reading the file.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), FileSide(size)});
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16), QSize(32, 32)}; }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new TCommandIconEngine(FName); }

private:
    static int FileSide(const QSize& size) { return std::max(size.width(), size.height()) <= 16 ? 16 : 32; }

    QIcon& IconFor(const QSize& size) {
        const int pixels = FileSide(size);
        QIcon& icon = FIcons[pixels == 16 ? 0 : 1];
        if (icon.isNull()) {
            icon.addFile(QStringLiteral(":/commands/%1-%2.png").arg(FName).arg(pixels),
                         QSize(pixels, pixels));
        }
        return icon;
    }

    QString FName;
    QIcon FIcons[2]; // 16 and 32 pixels, each null until first needed
};

QIcon CommandIcon(const char* name) {
    return QIcon(new TCommandIconEngine(QString::fromLatin1(name)));
}

// A menu or tool bar layout: action names, "" for a separator.
using TLayout = std::initializer_list<const char*>;

template <class Bar> void AddActions(Bar* bar, const TMainForm* form, TLayout names) {
    for (const char* name : names) {
        if (*name)
            bar->addAction(form->Action(QString::fromLatin1(name)));
        else
            bar->addSeparator();
    }
}

} // namespace

void TMainForm::CreateActions() {
    InitCommandResources();
    for (const TCommandSpec& s : Commands()) {
        auto* action = new QAction(CommandIcon(s.Icon), QString::fromLatin1(s.Caption), this);
        action->setObjectName(QString::fromLatin1(s.Name));
        action->setToolTip(QString::fromLatin1(s.Hint));
        action->setStatusTip(QString::fromLatin1(s.Hint));
        action->setShortcut(s.Key);
        if (s.MenuText) {
            action->setText(QString::fromLatin1(s.MenuText));
            action->setIconText(QString::fromLatin1(s.Caption).remove(QLatin1Char('&')));
        }
        if (s.Run)
            connect(action, &QAction::triggered, this, [this, run = s.Run] { (this->*run)(); });
        else
            action->setEnabled(false);
    }
}

void TMainForm::WireCommand(const QString& actionName, std::function<void()> run) {
    QAction* action = Action(actionName);
    if (!action || !run) return;
    connect(action, &QAction::triggered, this, std::move(run));
    action->setEnabled(true);
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void TMainForm::CreateMenus() {
    AddActions(menuBar()->addMenu(QStringLiteral("&File")), this,
               {"ActionLoad", "ActionSave", "ActionSaveAs", "", "ActionReset", "", "ActionReport",
                "ActionReportPeaks", "ActionDesignReport", "", "ActionClose"});
    AddActions(menuBar()->addMenu(QStringLiteral("&Edit")), this, {"ActionLocation", "", "ActionCopy"});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    const QList<TPageSpec>& pages = ResultPageTable();
    for (int i = 0; i < pages.size(); ++i)
        view->addAction(QString::fromLatin1(pages[i].ViewCaption), this,
                        [this, i] { FPages->setCurrentIndex(i); });
    AddActions(view, this, {"", "ActionProfile"});
    // The keyboard's way to what a click on a heading opens.
    view->addSeparator();
    QAction* chart = view->addAction(QStringLiteral("Column &Chart"), this, &TMainForm::ShowCurrentColumnChart);
    chart->setObjectName(QStringLiteral("ActionColumnChart"));
    chart->setToolTip(QStringLiteral("Chart of the current column of the page's list"));
    view->addAction(QStringLiteral("&Ambient Profile..."), this, &TMainForm::EditAmbientColumn)
        ->setObjectName(QStringLiteral("ActionAmbientProfile"));
    connect(view, &QMenu::aboutToShow, this, [this, chart] { chart->setEnabled(CurrentColumn() != nullptr); });

    AddActions(menuBar()->addMenu(QStringLiteral("&Calculate")), this,
               {"ActionSolve", "ActionDesignPeaks", "ActionCalcDetails", "", "ActionSunPosition"});
    AddActions(menuBar()->addMenu(QStringLiteral("&Help")), this, {"ActionHelp", "", "ActionAbout"});
}

void TMainForm::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    AddActions(bar, this,
               {"ActionLoad", "ActionSave", "ActionReset", "", "ActionSolve", "ActionLocation", "",
                "ActionReport", "ActionCopy", "", "ActionHelp"});
}

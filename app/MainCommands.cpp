// The main window's commands: one table of actions (caption, hint, key, picture, handler), and the
// menus and the tool bar laid out from it and from the page table.
#include "Main.h"

#include "ResultPages.h"

#include <QAction>
#include <QMenuBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

namespace {

struct TCommandSpec {
    const char* Name;
    const char* Caption;
    const char* Hint;
    void (TMainForm::*Run)(); // null: closes the window
    QStyle::StandardPixmap Icon;
};

const TCommandSpec Commands[] = {
    {"ActionLoad", "&Open", "Load", &TMainForm::ActionLoadExecute, QStyle::SP_DialogOpenButton},
    {"ActionSave", "&Save", "Save", &TMainForm::ActionSaveExecute, QStyle::SP_DialogSaveButton},
    {"ActionReset", "&Reset", "Reset", &TMainForm::ActionResetExecute, QStyle::SP_BrowserReload},
    {"ActionClose", "&Exit", "Close", nullptr, QStyle::SP_DialogCloseButton},
    {"ActionSolve", "&Update", "Solve", &TMainForm::ActionSolveExecute, QStyle::SP_MediaPlay},
    {"ActionCopy", "&Copy", "Copy Current Page to Clipboard", &TMainForm::ActionCopyExecute,
     QStyle::SP_FileDialogDetailedView},
    {"ActionLocation", "&Location", "Select Location", &TMainForm::ActionLocationExecute,
     QStyle::SP_DirHomeIcon},
    {"ActionHelp", "&Documentation", "Help", &TMainForm::ActionHelpExecute, QStyle::SP_DialogHelpButton},
};

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
    for (const TCommandSpec& s : Commands) {
        auto* action = new QAction(style()->standardIcon(s.Icon), QString::fromLatin1(s.Caption), this);
        action->setObjectName(QString::fromLatin1(s.Name));
        action->setToolTip(QString::fromLatin1(s.Hint));
        action->setStatusTip(QString::fromLatin1(s.Hint));
        if (s.Run)
            connect(action, &QAction::triggered, this, [this, run = s.Run] { (this->*run)(); });
        else
            connect(action, &QAction::triggered, this, &QWidget::close);
    }
    Action(QStringLiteral("ActionSolve"))->setShortcut(Qt::Key_F9);
}

QAction* TMainForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void TMainForm::CreateMenus() {
    AddActions(menuBar()->addMenu(QStringLiteral("&File")), this,
               {"ActionLoad", "ActionSave", "", "ActionReset", "", "ActionClose"});
    AddActions(menuBar()->addMenu(QStringLiteral("&Edit")), this, {"ActionLocation", "", "ActionCopy"});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    const QList<TPageSpec>& pages = ResultPageTable();
    for (int i = 0; i < pages.size(); ++i)
        view->addAction(QString::fromLatin1(pages[i].ViewCaption), this,
                        [this, i] { FPages->setCurrentIndex(i); });

    AddActions(menuBar()->addMenu(QStringLiteral("&Calculate")), this, {"ActionSolve"});
    AddActions(menuBar()->addMenu(QStringLiteral("&Help")), this, {"ActionHelp"});
}

void TMainForm::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    AddActions(bar, this,
               {"ActionLoad", "ActionSave", "ActionReset", "", "ActionSolve", "ActionLocation", "",
                "ActionCopy", "", "ActionHelp"});
}

// The Calculation Details command as the user meets it: Calculate > Calculation Details... from the
// keyboard opens the working behind the Angles list's selected hour (the hour nearest solar noon when
// none is selected), a result row's menu opens it for that row, and Copy puts its text on the clipboard.
#include "../common/ModalAnswer.h"
#include "../common/SavePicture.h"
#include "app/CalcDetails.h"
#include "app/CalcDetailsForm.h"
#include "app/Main.h"
#include "controls/TxNumText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QHeaderView>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

// The rows of the window's list whose first cell is `name`.
QTreeWidgetItem* Row(QTreeWidget* list, const QString& name) {
    const QList<QTreeWidgetItem*> rows = list->findItems(name, Qt::MatchExactly, 0);
    return rows.value(0);
}

// Runs `check` on the details window once it shows, while `open` opens it, then closes it with Escape;
// true when it ran and the window closed again.
bool WhileDetailsShown(const std::function<void()>& open,
                       const std::function<void(TCalcDetailsForm*)>& check) {
    return WhileModalShown<TCalcDetailsForm>(open, [&](TCalcDetailsForm* details) {
        QTRY_VERIFY(details->isActiveWindow());
        check(details);
        QTest::keyClick(details, Qt::Key_Escape);
    });
}

void OpenFromCalculateMenu(TMainForm& form) {
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
}

struct TProgram {
    TMainForm form;
    TProgram() {
        form.Document().ApplyInputs(ResetInputSet()); // the worked example
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
};

} // namespace

class TestCalcDetailsCommand : public QObject {
    Q_OBJECT
private slots:
    // The Angles row picked with the keys: its hour's working, the values the solve stored; Alt+C copies
    // the text; and a picture of the window for the worked example at noon.
    void selectedAnglesRowFromTheKeyboard() {
        TProgram p;
        QTreeWidget* angles = p.form.AnglesList();
        angles->setFocus();
        QTest::keyClick(angles, Qt::Key_Home); // 06:00, the first row
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(angles, Qt::Key_Down);
        QCOMPARE(angles->currentItem()->text(0).trimmed(), QString("14"));
        QVERIFY(angles->currentItem()->isSelected());

        QGuiApplication::clipboard()->clear();
        QVERIFY(WhileDetailsShown(
            [&] { OpenFromCalculateMenu(p.form); },
            [&](TCalcDetailsForm* details) {
                QVERIFY(details->Text().startsWith("Calculation details at clock hour 14:00"));
                QTreeWidgetItem* dn = Row(details->List(), "Direct normal");
                QVERIFY(dn);
                QCOMPARE(dn->text(1), QString("DN"));
                QCOMPARE(dn->text(2), QString("DN = A · exp(−P · B / sin β), 0 unless β > 0.001 rad"));
                QCOMPARE(dn->text(4), FormatFloat("%0.2f", p.form.Document().NormalProfile()[14]));
                QCOMPARE(dn->text(5), QString("W/m2"));
                QTest::keyClick(details, Qt::Key_C, Qt::AltModifier);
                QTRY_COMPARE(QGuiApplication::clipboard()->text(), CalcDetailsText(p.form.Document(), 14));
            }));
    }

    // No row selected: the hour nearest solar noon. The window at its first size shows every column
    // whole, and at its smallest size still the title, rows and buttons.
    void noSelectionGivesNoonAndLooksRight() {
        TProgram p;
        p.form.AnglesList()->clearSelection();
        QVERIFY(WhileDetailsShown(
            [&] { OpenFromCalculateMenu(p.form); },
            [&](TCalcDetailsForm* details) {
                QVERIFY(details->Text().startsWith("Calculation details at clock hour 12:00"));
                QCOMPARE(Row(details->List(), "Solar heat gain factor")->text(4), QString("698.80"));
                // As wide as the columns need where the screen allows: then none scrolls out of sight.
                QHeaderView* header = details->List()->header();
                const int room = details->screen()->availableSize().width() * 9 / 10;
                QVERIFY2(
                    header->length() <= details->List()->viewport()->width() || details->width() >= room - 1,
                    qPrintable(
                        QString("%1 > %2").arg(header->length()).arg(details->List()->viewport()->width())));
                for (int c = 0; c < header->count(); ++c)
                    QVERIFY(header->sectionSize(c) >= header->sectionSizeHint(c));
                // The picture at a desktop's size (the test screen is smaller than the window would be).
                details->resize(header->length() + 60, 700);
                SavePicture(*details, QStringLiteral("calcdetails"));
                details->resize(details->minimumSize());
                SavePicture(*details, QStringLiteral("calcdetails-minimum"));
            }));
    }

    // A Solar row's menu, from the menu key: the working behind that row's hour.
    void rowMenuOfTheSolarList() {
        TProgram p;
        p.form.Pages()->setCurrentIndex(pgSolar);
        QTreeWidget* solar = p.form.SolarList();
        solar->setFocus();
        QTest::keyClick(solar, Qt::Key_Home);
        QTest::keyClick(solar, Qt::Key_Down); // 07:00
        const QRect row = solar->visualItemRect(solar->currentItem());
        // The menu key reaches a widget as a keyboard context-menu event from the desktop's platform
        // layer, which the offscreen test platform does not make from the key.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, row.center(),
                                  solar->viewport()->mapToGlobal(row.center()));
        QVERIFY(WhileDetailsShown(
            [&] {
                QTimer::singleShot(50, [] { // inside the menu's own loop
                    QTRY_VERIFY(QApplication::activePopupWidget());
                    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
                });
                QApplication::sendEvent(solar->viewport(), &menuKey);
            },
            [&](TCalcDetailsForm* details) {
                QVERIFY(details->Text().startsWith("Calculation details at clock hour 07:00"));
            }));
    }
};

QTEST_MAIN(TestCalcDetailsCommand)
#include "tst_calcdetails.moc"

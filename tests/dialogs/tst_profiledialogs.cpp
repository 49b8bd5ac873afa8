// The profile editor, the profile viewer and the chart colour dialog on their own, driven by keys
// through the real clipboard and the real settings store; a picture of each.
#include "../common/ModalAnswer.h"
#include "../common/SavePicture.h"
#include "controls/ProfileText.h"
#include "controls/TxGrids.h"
#include "controls/TxNumText.h"
#include "dialogs/TxChartColorForm.h"
#include "dialogs/TxProfileEd.h"
#include "dialogs/TxProfileView.h"
#include "storage/Settings.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QRadialGradient>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

namespace {

TProfile24 Counting() {
    TProfile24 p{};
    for (int i = 0; i < 24; ++i)
        p[i] = i;
    return p;
}

// An editor shown as the main window shows it for the ambient profile, with the focus in its grid.
struct Editor {
    TProfileEdForm form;
    explicit Editor(const TProfile24& values, double lower = 0, double upper = 0) {
        form.SetValues(values);
        form.SetValueFormat("%0.1f");
        form.SetValueCaption(QString::fromUtf8("Ambient, \u00b0C"));
        form.SetEditable(true);
        form.SetLimits(lower, upper);
        form.SetLineChart(true);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    TxStringGrid* Grid() const { return form.Grid(); }
    // Selects the value cell of an hour and types a text into it, leaving the editor open.
    void TypeInto(int hour, const QString& text) {
        Grid()->FocusCell(1, hour);
        Grid()->setFocus();
        QTest::keyClick(Grid(), Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != Grid());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
    }
    // Types a number into an adjuster box.
    static void TypeBox(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

} // namespace

class TestProfileDialogs : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Ctrl+V in the grid reads 24 numbers from the clipboard; anything short of that changes nothing.
    void pasteRules_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("taken");
        QStringList numbers;
        for (int i = 0; i < 24; ++i)
            numbers << QString::number(30 + i * 0.5);
        QTest::addColumn<QString>("status");
        QTest::newRow("spreadsheet row, tabs and CR LF") << numbers.join("\t") + "\r\n" << true << "Ready...";
        QTest::newRow("commas") << numbers.join(",") << true << "Ready...";
        QTest::newRow("spreadsheet column, CR LF") << numbers.join("\r\n") << true << "Ready...";
        QTest::newRow("23 numbers") << numbers.mid(0, 23).join("\t") << false
                                    << "The clipboard holds 23 of the 24 numbers a profile needs. The profile "
                                       "is unchanged.";
        QTest::newRow("a word among them")
            << numbers.mid(0, 5).join("\t") + "\tx\t" + numbers.mid(6).join("\t") << false
            << "Value 6 on the clipboard, 'x', is not a number. The profile is unchanged.";
    }
    void pasteRules() {
        QFETCH(QString, clipboard);
        QFETCH(bool, taken);
        QFETCH(QString, status);
        Editor e(Counting());
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(e.Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.form.Values()[23], taken ? 41.5 : 23.0);
        QCOMPARE(e.form.Values()[1], taken ? 30.5 : 1.0);
        QCOMPARE(e.Grid()->Cells(1, 23), taken ? QString("41.5") : QString("23.0"));
        QCOMPARE(e.form.Line()->at(23).y(), taken ? 41.5 : 23.0);
        QCOMPARE(e.form.findChild<QStatusBar*>()->currentMessage(), status);
    }

    // Copy and Cut carry all 24 values whatever is selected; Cut leaves zeros.
    void copyAndCut() {
        Editor e(Counting());
        e.Grid()->FocusCell(1, 5);
        QTest::keyClick(e.Grid(), Qt::Key_C, Qt::ControlModifier);
        const QString counted = "0.0,1.0,2.0,3.0,4.0,5.0,6.0,7.0,8.0,9.0,10.0,11.0,12.0,13.0,14.0,15.0,16.0,"
                                "17.0,18.0,19.0,20.0,21.0,22.0,23.0";
        QCOMPARE(QGuiApplication::clipboard()->text(), counted);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(e.Grid(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), counted);
        QCOMPARE(e.form.Values(), TProfile24{});
        QCOMPARE(e.Grid()->Cells(1, 23), QString("0.0"));
    }

    // Offset, multiplier and shift typed into their boxes, applied with Alt+P.
    void applyAdjustment_data() {
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("multiplier");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("value");
        QTest::newRow("2 + 20 x 0.5") << "2"
                                      << "0.5"
                                      << "0" << 20 << 12.0;
        QTest::newRow("shift 2: 14:00 to 16:00") << "0"
                                                 << "1"
                                                 << "2" << 16 << 14.0;
        QTest::newRow("shift 2: 23:00 to 01:00") << "0"
                                                 << "1"
                                                 << "2" << 1 << 23.0;
        QTest::newRow("shift -1: 00:00 to 23:00") << "0"
                                                  << "1"
                                                  << "-1" << 23 << 0.0;
        QTest::newRow("shift above 23 is held at 23") << "0"
                                                      << "1"
                                                      << "30" << 0 << 1.0;
    }
    void applyAdjustment() {
        QFETCH(QString, offset);
        QFETCH(QString, multiplier);
        QFETCH(QString, shift);
        QFETCH(int, to);
        QFETCH(double, value);
        Editor e(Counting());
        Editor::TypeBox(e.form.OffsetEdit(), offset);
        Editor::TypeBox(e.form.MultiplierEdit(), multiplier);
        Editor::TypeBox(e.form.TimeShiftEdit(), shift);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(e.form.Values()[to], value); // a button's shortcut clicks it a moment later
        QCOMPARE(e.Grid()->Cells(1, to), FormatFloat("%0.1f", value));
    }

    // A typed value is clamped into the limits when they differ; equal limits clamp nothing.
    void typedValueLimits_data() {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above the upper limit") << -10.0 << 50.0 << "60" << 50.0 << "50.0";
        QTest::newRow("below the lower limit") << -10.0 << 50.0 << "-12.5" << -10.0 << "-10.0";
        QTest::newRow("inside") << -10.0 << 50.0 << "33.3" << 33.3 << "33.3";
        QTest::newRow("no limits") << 0.0 << 0.0 << "60" << 60.0 << "60.0";
    }
    void typedValueLimits() {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QString, shown);
        Editor e(Counting(), lower, upper);
        e.TypeInto(7, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(e.form.Values()[7], stored);
        QCOMPARE(e.Grid()->Cells(1, 7), shown);
        QCOMPARE(e.form.Line()->at(7).y(), stored);
        QVERIFY(e.form.ValueAxis()->max() >= stored * 1.1 - 1e-9);
    }

    // A pasted text that is not a number is named in a message that shows it as it is, never as HTML.
    void pastedTextIsShownPlainInTheMessage() {
        Editor e(Counting());
        const QString typed = QStringLiteral("<b>x</b><img src=no-such-picture.png>");
        QGuiApplication::clipboard()->setText(typed);
        e.TypeInto(7, QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        const TAnsweredMessage seen =
            AnswerMessage([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
        QVERIFY(seen.Answered);
        QCOMPARE(seen.Text, "'" + typed + "' is not a valid floating point value");
        QCOMPARE(seen.Format, Qt::PlainText);
        QCOMPARE(e.form.Values()[7], 7.0);
    }

    // Alt+A while a value is still being typed keeps it; Alt+C (Cancel) closes without OK.
    void acceptKeepsTheValueBeingTyped() {
        Editor e(Counting());
        e.TypeInto(3, "17");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(e.form.result(), int(QDialog::Accepted));
        QCOMPARE(e.form.Values()[3], 17.0);
        QVERIFY(!e.form.isVisible());

        Editor c(Counting());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(c.form.result(), int(QDialog::Rejected));
    }

    // Escape cancels the editor from its grid, where the focus is, as in any dialog; a value still being
    // typed keeps Escape for its cell, and the editor stays open.
    void escapeCancels_data() {
        QTest::addColumn<QString>("typed"); // into hour 3 first; "\r" at the end commits it
        QTest::addColumn<bool>("closes");
        QTest::newRow("nothing typed") << "" << true;
        QTest::newRow("value committed") << "17\r" << true;
        QTest::newRow("value being typed") << "17" << false;
    }
    void escapeCancels() {
        QFETCH(QString, typed);
        QFETCH(bool, closes);
        Editor e(Counting());
        if (!typed.isEmpty()) e.TypeInto(3, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(e.form.isVisible(), !closes);
        if (closes) QCOMPARE(e.form.result(), int(QDialog::Rejected));
    }

    // A value typed and then cancelled is gone: the next showing edits the caller's profile, and Accept
    // keeps it.
    void cancelledValueIsGone() {
        Editor e(Counting());
        e.TypeInto(5, "99");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(e.form.result(), int(QDialog::Rejected));
        e.form.SetValues(Counting()); // as the caller fills it before each showing
        e.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&e.form));
        QCOMPARE(e.Grid()->Cells(1, 5), QString("5.0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(e.form.result(), int(QDialog::Accepted));
        QCOMPARE(e.form.Values()[5], 5.0);
    }

    // Typed straight onto a selected cell, one Return commits the value, moves its point and rescales.
    void oneReturnCommits() {
        Editor e(Counting());
        e.Grid()->FocusCell(1, 7);
        e.Grid()->setFocus();
        QTest::keyClick(e.Grid(), Qt::Key_6);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_0);
        QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), QString("60"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(e.form.Values()[7], 60.0);
        QCOMPARE(e.Grid()->Cells(1, 7), QString("60.0"));
        QCOMPARE(e.form.Line()->at(7).y(), 60.0);
        QCOMPARE(e.form.ValueAxis()->max(), 66.0);
    }

    // Value cells are read-only unless the caller allows editing.
    void notEditableUnlessAllowed() {
        Editor e(Counting());
        e.form.hide();
        e.form.SetEditable(false);
        e.form.show();
        e.Grid()->FocusCell(1, 2);
        QTest::keyClick(e.Grid(), Qt::Key_F2);
        QVERIFY(!e.Grid()->InplaceEditor() || !e.Grid()->InplaceEditor()->isVisible());
    }

    // The editor's value axis: min - 0.1 |min| to max x 1.1; all zeros keep the previous range.
    void editorValueAxis() {
        double bottom = 0, top = 0;
        TProfile24 p{};
        FillProfile(p, 5);
        p[3] = -10;
        p[9] = 20;
        QVERIFY(ProfileEditRange(p, bottom, top));
        QCOMPARE(bottom, -11.0);
        QCOMPARE(top, 22.0);
        QVERIFY(!ProfileEditRange(TProfile24{}, bottom, top));
    }

    // At its smallest the editor shows every control whole.
    void editorAtItsSmallest() {
        Editor e(TProfile24{});
        e.form.resize(e.form.minimumSize());
        QVERIFY(QTest::qWaitForWindowExposed(&e.form));
        for (QRadioButton* radio : e.form.findChildren<QRadioButton*>())
            QVERIFY2(radio->width() >= radio->sizeHint().width(), qPrintable(radio->text()));
        SavePicture(e.form, "profile-editor-smallest");
    }

    void pictureOfTheEditor() {
        TProfile24 ambient{};
        MakeAmbientProfile(ambient, 30, 20);
        Editor e(ambient);
        const QImage line = SavePicture(e.form, "profile-editor");
        e.form.SetLineChart(false);
        // The chart is redrawn as bars, in the same frame.
        const QImage bars = SavePicture(e.form, "profile-editor-bars");
        QCOMPARE(bars.size(), line.size());
        QVERIFY(bars != line);
    }

    // Values between 5 and 10: bars from 0 to 11, a line from 4.5 to 11; negative values mirror it.
    // Whatever the ends, the labels stand at round steps from 0 with the decimals the step needs.
    void viewAxis_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("line");
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("labels");
        QTest::newRow("bars 5..10") << 5.0 << 10.0 << false << 0.0 << 11.0 << 5.0 << "%0.0f";
        QTest::newRow("line 5..10") << 5.0 << 10.0 << true << 4.5 << 11.0 << 2.0 << "%0.0f";
        QTest::newRow("bars -10..-5") << -10.0 << -5.0 << false << -11.0 << 0.0 << 5.0 << "%0.0f";
        QTest::newRow("line -10..-5") << -10.0 << -5.0 << true << -11.0 << -4.5 << 2.0 << "%0.0f";
        QTest::newRow("line all zero") << 0.0 << 0.0 << true << 0.0 << 0.0 << 0.2 << "%0.1f";
        QTest::newRow("bars of a sunny day") << 0.0 << 653.0 << false << 0.0 << 718.3 << 200.0 << "%0.0f";
        QTest::newRow("bars of fractions") << 0.0 << 0.8 << false << 0.0 << 0.88 << 0.2 << "%0.1f";
    }
    void viewAxis() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, line);
        QFETCH(double, bottom);
        QFETCH(double, top);
        QFETCH(double, step);
        QFETCH(QString, labels);
        TProfile24 p{};
        FillProfile(p, low);
        p[20] = high; // outside the hours drawn, still counted
        TProfileViewForm view;
        view.SetValues(p);
        view.SetLineMode(line);
        view.SetHours(6, 18);
        view.Refresh();
        QCOMPARE(view.ValueAxis()->min(), bottom);
        QCOMPARE(view.ValueAxis()->max(), top);
        QCOMPARE(view.ValueAxis()->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(view.ValueAxis()->tickAnchor(), 0.0);
        QCOMPARE(view.ValueAxis()->tickInterval(), step);
        QCOMPARE(view.ValueAxis()->labelFormat(), labels);
        QCOMPARE(view.Line()->isVisible(), line);
        QCOMPARE(view.Bars()->isVisible(), !line);
        QCOMPARE(view.Line()->count(), 13);
        QCOMPARE(view.Line()->at(0).x(), 6.0);
    }

    // A last hour of 24 (sunset after 23:00) draws through 23:00; the copy carries all 24 values.
    void viewHoursAndCopy() {
        TProfileViewForm view;
        QCOMPARE(view.windowTitle(), QString("Profile"));
        view.SetValues(Counting());
        view.SetHours(5, 24);
        view.SetTitle("Solar Altitude");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.LastHour(), 23);
        QCOMPARE(view.Bars()->barSets().first()->count(), 24);
        QCOMPARE(view.Bars()->barSets().first()->at(4), 0.0);
        QCOMPARE(view.Bars()->barSets().first()->at(23), 23.0);
        QCOMPARE(view.HourAxis()->minorTickCount(), 4);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("0.0,1.0,2.0,"));
        QCOMPARE(QGuiApplication::clipboard()->text().count(','), 23);
        SavePicture(view, "profile-view-bars");
        view.SetLineMode(true);
        view.Refresh();
        SavePicture(view, "profile-view-line");
    }

    // Under a decimal-comma locale the text carries decimal commas between tabs, and reads back whole.
    void commaLocaleRoundTrip() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TProfile24 p{};
        for (int i = 0; i < 24; ++i)
            p[i] = 12.5 + i;
        const QString text = ProfileText(p, "%0.1f");
        QVERIFY(text.startsWith("12,5\t13,5\t"));
        Editor e(TProfile24{});
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(e.Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.form.Values(), p);
        QCOMPARE(e.Grid()->Cells(1, 0), QString("12,5"));
    }

    // No stored values: a white panel, a visible gradient from white to 244/244/235, "From Centre".
    void chartColorDefaults() {
        TSettingsStore(QString()).EraseSection();
        TChartColor form;
        QCOMPARE(form.Colors(), TChartColors());
        QCOMPARE(form.Colors().Panel, QColor(255, 255, 255));
        QCOMPARE(form.Colors().End, QColor(244, 244, 235));
        QCOMPARE(form.DirectionBox()->currentText(), QString("From Centre"));
        QVERIFY(form.VisibleBox()->isChecked());
        QCOMPARE(ColorToInt(form.Colors().End), 15463668);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SavePicture(form, "chart-color");
    }

    // Closing writes all six values; the next dialog reads them back. Reset changes only the controls.
    void chartColorRoundTrip() {
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
        {
            TChartColor form;
            form.SetColors({QColor(10, 20, 30), QColor(40, 50, 60), QColor(70, 80, 90), false, gdLeftRight});
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Close" is the default button
            QVERIFY(!form.isVisible());
        }
        TSettingsStore s("Settings");
        QCOMPARE(s.ReadInteger("PanelColor", 0), 0x1E140A);
        QCOMPARE(s.ReadString("GradientVisible", ""), QString("0"));
        QCOMPARE(s.ReadInteger("Direction", -1), 2);
        const QString custom = s.ReadString("CustomColors", "");
        QVERIFY(custom.startsWith("ColorA=030201\r\nColorB="));
        QCOMPARE(custom.split("\r\n").size(), 16);
        QColorDialog::setCustomColor(0, Qt::black);
        TChartColor next;
        QCOMPARE(next.Colors(), (TChartColors{QColor(10, 20, 30), QColor(40, 50, 60), QColor(70, 80, 90),
                                              false, gdLeftRight}));
        QCOMPARE(QColorDialog::customColor(0), QColor(1, 2, 3));
        next.show();
        QVERIFY(QTest::qWaitForWindowActive(&next));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier); // "Reset"
        QTRY_COMPARE(next.Colors(), TChartColors());
        QCOMPARE(TSettingsStore("Settings").ReadInteger("PanelColor", 0), 0x1E140A); // not stored yet
    }

    // A cancelled colour chooser leaves the swatch as it was.
    void cancelledChooserKeepsTheSwatch() {
        TChartColor form;
        form.SetColors(TChartColors());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        bool seen = false;
        // The chooser opens a moment after the key (a button's shortcut clicks it later): watch for it.
        QTimer watch;
        connect(&watch, &QTimer::timeout, &form, [&] {
            QWidget* chooser = QApplication::activeModalWidget();
            if (!chooser || chooser->objectName() != "ColorChooser") return;
            watch.stop();
            seen = true;
            QTest::keyClick(chooser, Qt::Key_Escape);
        });
        watch.start(10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(seen);
        QCOMPARE(form.Colors().Panel, QColor(255, 255, 255));
    }

    // Each direction becomes a gradient that runs the way its name says.
    void gradientDirections_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("end");
        QTest::newRow("Top Bottom") << int(gdTopBottom) << QPointF(0, 0) << QPointF(0, 1);
        QTest::newRow("Bottom Top") << int(gdBottomTop) << QPointF(0, 1) << QPointF(0, 0);
        QTest::newRow("Left Right") << int(gdLeftRight) << QPointF(0, 0) << QPointF(1, 0);
        QTest::newRow("Right Left") << int(gdRightLeft) << QPointF(1, 0) << QPointF(0, 0);
        QTest::newRow("From Top Left") << int(gdFromTopLeft) << QPointF(0, 0) << QPointF(1, 1);
        QTest::newRow("From Bottom Left") << int(gdFromBottomLeft) << QPointF(0, 1) << QPointF(1, 0);
    }
    void gradientDirections() {
        QFETCH(int, direction);
        QFETCH(QPointF, start);
        QFETCH(QPointF, end);
        TChartColors c;
        c.Direction = direction;
        const QBrush brush = ChartBackground(c);
        const QGradient* g = brush.gradient();
        QVERIFY(g && g->type() == QGradient::LinearGradient);
        QCOMPARE(static_cast<const QLinearGradient*>(g)->start(), start);
        QCOMPARE(static_cast<const QLinearGradient*>(g)->finalStop(), end);
        QCOMPARE(g->stops().first().second, c.Start);
        QCOMPARE(g->stops().last().second, c.End);
    }
    void gradientFromCentreAndHidden() {
        TChartColors c;
        const QBrush brush = ChartBackground(c);
        QCOMPARE(brush.gradient()->type(), QGradient::RadialGradient);
        QCOMPARE(static_cast<const QRadialGradient*>(brush.gradient())->center(), QPointF(0.5, 0.5));
        c.GradientVisible = false;
        c.Panel = Qt::yellow;
        QCOMPARE(ChartBackground(c), QBrush(Qt::yellow));
    }
};

QTEST_MAIN(TestProfileDialogs)
#include "tst_profiledialogs.moc"

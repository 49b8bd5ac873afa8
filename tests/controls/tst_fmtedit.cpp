// The formatted edit box driven by keys in a real window: key filter, validation on Enter and on
// leaving, range tolerance, Escape, Backspace, pasting, units and the value. Every test runs twice: in
// the C locale and in a locale whose decimal separator is a comma.
#include "../common/SavePicture.h"
#include "controls/TxFmtEdit.h"
#include "controls/TxNumText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QShortcut>
#include <QTest>

namespace {

// A text written with "." as the decimal point, in the locale's form.
QString L(QString text) {
    return text.replace(QLatin1Char('.'), LocaleDecimalSeparator());
}

// A shown, active window with the box, its units label and a second box to move the focus to.
struct Form {
    QWidget window;
    TxFEdit* box = new TxFEdit(&window);
    QLabel* label = new QLabel(&window);
    QLineEdit* other = new QLineEdit(&window);

    Form() {
        auto* row = new QHBoxLayout(&window);
        row->addWidget(box);
        row->addWidget(label);
        row->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
        box->setFocus(Qt::OtherFocusReason);
    }
    bool Active() { return QTest::qWaitForWindowActive(&window); }

    // Focus the box as Tab does and type over its whole text.
    void TypeOver(const QString& keys) {
        other->setFocus(Qt::TabFocusReason);
        QTest::keyClick(other, Qt::Key_Tab);
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    void Leave() { QTest::keyClick(box, Qt::Key_Tab); }
};

} // namespace

class TestFmtEdit : public QObject {
    Q_OBJECT
    int beeps = 0;
    std::function<void()> previousBeep;

private slots:
    void initTestCase_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale::c();
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
    }
    void init() {
        QFETCH_GLOBAL(QLocale, locale);
        QLocale::setDefault(locale);
        beeps = 0;
        previousBeep = SetBeepHook([this] { ++beeps; });
    }
    void cleanup() {
        SetBeepHook(previousBeep);
        QLocale::setDefault(QLocale::c());
    }

    // Leaving the box validates: a small overshoot passes as typed, a larger one becomes the limit
    // with a beep and the focus stays; a zero limit has no tolerance.
    void leaveValidates_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("fails");
        QTest::newRow("0.4 % over passes as typed") << "%0.1f" << 0.01 << 100.0 << "100.4"
                                                    << "100.4" << false;
        QTest::newRow("reformatted") << "%0.1f" << 0.01 << 100.0 << "2.25"
                                     << "2.2" << false;
        QTest::newRow("above clamps") << "%0.1f" << 0.01 << 100.0 << "101"
                                      << "100.0" << true;
        QTest::newRow("below clamps") << "%0.1f" << 0.01 << 100.0 << "0"
                                      << "0.0" << true;
        QTest::newRow("0.5 % under passes") << "%0.3f" << 10.0 << 20.0 << "9.96"
                                            << "9.960" << false;
        QTest::newRow("zero limit, no tolerance") << "%0.1f" << 0.0 << 20.0 << "-1"
                                                  << "0.0" << true;
        QTest::newRow("negative limit tolerance") << "%0.2f" << -10.0 << 10.0 << "-10.04"
                                                  << "-10.04" << false;
        QTest::newRow("no range") << "%0.1f" << 0.0 << 0.0 << "-7.25"
                                  << "-7.2" << false;
        QTest::newRow("general keeps exponent input") << "%0.4g" << 0.0 << 0.0 << "1.5e3"
                                                      << "1500" << false;
        QTest::newRow("pair, both checked") << "%0.1f/%0.1f" << 0.0 << 10.0 << "3/12"
                                            << "3.0/10.0" << true;
        QTest::newRow("pair, one number") << "%0.1f/%0.2f" << 0.0 << 10.0 << "4"
                                          << "4.0" << false;
        QTest::newRow("text format") << "%S" << 0.0 << 10.0 << "abc 12"
                                     << "abc 12" << false;
    }
    void leaveValidates() {
        QFETCH(QString, format);
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, fails);
        Form f;
        QVERIFY(f.Active());
        f.box->SetFormatStr(format);
        f.box->SetRangeLo(lo);
        f.box->SetRangeHi(hi);
        f.TypeOver(typed);
        int exits = 0;
        f.box->OnExit = [&](QObject* sender) {
            QCOMPARE(sender, f.box);
            ++exits;
        };
        QCOMPARE(beeps, 0);
        QVERIFY(f.box->Modified());
        f.Leave();
        QCOMPARE(f.box->text(), L(shown));
        QCOMPARE(beeps, fails ? 1 : 0);
        QCOMPARE(f.box->hasFocus(), fails);
        QCOMPARE(f.other->hasFocus(), !fails);
        QCOMPARE(f.box->Modified(), fails);
        QCOMPARE(exits, 1);
    }

    // Enter validates in place; Escape afterwards still returns to the text the box was entered with.
    void enterValidatesAndEscapeRestores() {
        Form f;
        QVERIFY(f.Active());
        f.box->SetRangeLo(0.01);
        f.box->SetRangeHi(100);
        f.box->SetValue(1.25);
        QCOMPARE(f.box->text(), L("1.2"));
        f.TypeOver("250");
        QTest::keyClick(f.box, Qt::Key_Return);
        QCOMPARE(f.box->text(), L("100.0"));
        QCOMPARE(beeps, 1);
        QVERIFY(f.box->hasFocus());
        QVERIFY(f.box->Modified());
        QTest::keyClick(f.box, Qt::Key_Escape);
        QCOMPARE(f.box->text(), L("1.2"));
        QVERIFY(!f.box->Modified());
        f.Leave();
        QCOMPARE(beeps, 1);
        QVERIFY(f.other->hasFocus());

        // After a failed exit the box holds the focus; Escape still goes back to the entry text.
        f.TypeOver("0");
        f.Leave();
        QCOMPARE(f.box->text(), L("0.0"));
        QVERIFY(f.box->hasFocus());
        QTest::keyClick(f.box, Qt::Key_Escape);
        QCOMPARE(f.box->text(), L("1.2"));
    }

    // The key filter by kind of format: refused characters beep and insert nothing.
    void keyFilter_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("refused");
        QTest::newRow("integer refuses point and e") << "%d"
                                                     << "-1.e2"
                                                     << "-12" << 2;
        QTest::newRow("fixed refuses e") << "%0.1f"
                                         << "1e5x"
                                         << "15" << 2;
        QTest::newRow("fixed takes point") << "%0.2f"
                                           << "-0.5"
                                           << "-0.5" << 0;
        QTest::newRow("general takes e and E") << "%0.4g"
                                               << "1e5E"
                                               << "1e5E" << 0;
        QTest::newRow("pair takes slash") << "%0.1f/%0.1f"
                                          << "1.5/-2a"
                                          << "1.5/-2" << 1;
        QTest::newRow("text takes anything") << "%S"
                                             << "a b,c!"
                                             << "a b,c!" << 0;
        QTest::newRow("unknown format takes anything") << "%x"
                                                       << "zq"
                                                       << "zq" << 0;
    }
    void keyFilter() {
        QFETCH(QString, format);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, refused);
        Form f;
        QVERIFY(f.Active());
        f.box->SetFormatStr(format);
        f.box->clear();
        QTest::keyClicks(f.box, typed);
        const bool numeric = !format.contains('S') && format != "%x";
        QCOMPARE(f.box->text(), numeric ? L(shown) : shown);
        QCOMPARE(beeps, refused);
        QVERIFY(f.box->Modified());
    }

    // The locale's own separator is a decimal point too; a comma elsewhere is refused.
    void localeSeparatorTyped() {
        Form f;
        QVERIFY(f.Active());
        f.box->clear();
        QTest::keyClicks(f.box, "1,5");
        const bool comma = LocaleDecimalSeparator() == QLatin1Char(',');
        QCOMPARE(f.box->text(), comma ? QString("1,5") : QString("15"));
        QCOMPARE(beeps, comma ? 0 : 1);
        QCOMPARE(f.box->Value().toDouble(), comma ? 1.5 : 15.0);
    }

    // A refused character changes nothing, whatever is selected: a stray key must not wipe a value.
    // An accepted one replaces the selection.
    void typingOverSelection() {
        Form f;
        QVERIFY(f.Active());
        f.box->setText("12345");
        f.box->setSelection(1, 3);
        QTest::keyClick(f.box, 'x');
        QTest::keyClick(f.box, Qt::Key_Space);
        QCOMPARE(f.box->text(), QString("12345"));
        QCOMPARE(f.box->selectedText(), QString("234"));
        QCOMPARE(beeps, 2);
        QTest::keyClick(f.box, '7');
        QCOMPARE(f.box->text(), QString("175"));
        f.box->setSelection(0, 1);
        QTest::keyClick(f.box, 'x');
        QCOMPARE(f.box->text(), QString("175"));
    }

    // Text from an input method passes the same filter; a read-only box takes no typing at all.
    void inputMethodAndReadOnly() {
        TxFEdit box;
        box.SetFormatStr("%d");
        box.clear();
        QInputMethodEvent digits({}, {});
        digits.setCommitString("12");
        QApplication::sendEvent(&box, &digits);
        QCOMPARE(box.text(), QString("12"));
        QInputMethodEvent letters({}, {});
        letters.setCommitString("3a");
        QApplication::sendEvent(&box, &letters);
        QCOMPARE(box.text(), QString("12"));
        QCOMPARE(beeps, 1);

        box.setReadOnly(true);
        box.setModified(false);
        QTest::keyClicks(&box, "3x");
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.text(), QString("12"));
        QCOMPARE(beeps, 1);
        QVERIFY(!box.Modified());
    }

    // Backspace removes only the character before the caret or the selection, never the selection.
    void backspace_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("caret");
        QTest::newRow("caret") << 3 << 0 << false << "1245" << 2;
        QTest::newRow("three selected") << 2 << 3 << false << "1345" << 1;
        QTest::newRow("at the start") << 0 << 2 << false << "12345" << 2;
        QTest::newRow("read-only") << 3 << 0 << true << "12345" << 3;
    }
    void backspace() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, readOnly);
        QFETCH(QString, shown);
        QFETCH(int, caret);
        Form f;
        QVERIFY(f.Active());
        f.box->setText("12345");
        f.box->setReadOnly(readOnly);
        if (length)
            f.box->setSelection(start, length);
        else
            f.box->setCursorPosition(start);
        QTest::keyClick(f.box, Qt::Key_Backspace);
        QCOMPARE(f.box->text(), shown);
        QCOMPARE(f.box->cursorPosition(), caret);
        QCOMPARE(f.box->Modified(), !readOnly);
        QCOMPARE(beeps, 0);
    }

    // Pasting is not filtered; text that is no number stays and validates as a success.
    void pastedLettersStay() {
        Form f;
        QVERIFY(f.Active());
        f.box->SetRangeLo(0.01);
        f.box->SetRangeHi(100);
        QApplication::clipboard()->setText("12abc");
        f.TypeOver("");
        QTest::keyClick(f.box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.box->text(), QString("12abc"));
        QVERIFY(f.box->Modified());
        f.Leave();
        QCOMPARE(f.box->text(), QString("12abc"));
        QCOMPARE(beeps, 0);
        QVERIFY(f.other->hasFocus());
        QCOMPARE(f.box->Value(), QVariant(QString("12abc")));
    }

    // Escape belongs to the box only while it is modified; otherwise the dialog's cancel takes it.
    void escapeClaimedWhileModified() {
        QDialog dialog;
        auto* box = new TxFEdit(&dialog);
        auto* row = new QHBoxLayout(&dialog);
        row->addWidget(box);
        row->addWidget(new QLineEdit(&dialog));
        int shortcuts = 0;
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), &dialog);
        connect(shortcut, &QShortcut::activated, [&] { ++shortcuts; });
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, "7");
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), L("0.0"));
        QCOMPARE(shortcuts, 0);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(box, Qt::Key_Escape); // unmodified: the window's shortcut gets it
        QCOMPARE(shortcuts, 1);
        shortcut->setEnabled(false);
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // The main window commits a box it is about to read: validation, exit event, not modified.
    void commitEdit() {
        Form f;
        QVERIFY(f.Active());
        f.box->SetRangeLo(0);
        f.box->SetRangeHi(20);
        f.TypeOver("25");
        int exits = 0;
        f.box->OnExit = [&](QObject*) { ++exits; };
        CommitEdit(f.box);
        QCOMPARE(f.box->text(), L("20.0"));
        QCOMPARE(beeps, 1);
        QCOMPARE(exits, 1);
        QVERIFY(!f.box->Modified());
        QCOMPARE(f.box->Value().toDouble(), 20.0);
        CommitEdit(f.box); // nothing modified: no beep
        QCOMPARE(beeps, 1);
        QCOMPARE(exits, 2);
        CommitEdit(nullptr);
    }

    // Units: the box re-reads its value, shows it in the new display unit and labels it.
    void temperatureInFahrenheit() {
        Form f;
        f.box->SetUnitsLabel(f.label);
        f.box->SetValue(20.0);
        f.box->SetUnitsType(utTemperature);
        QCOMPARE(f.label->text(), QString::fromUtf8("°C"));
        f.box->SetUnitsValue(1);
        QCOMPARE(f.box->text(), L("68.0"));
        QCOMPARE(f.box->FormatStr(), QString("%0.1f"));
        QCOMPARE(f.label->text(), QString::fromUtf8("°F"));
        QCOMPARE(f.box->Value().toDouble(), 20.0);
        f.box->SetUnitsValue(7); // clamped to K
        QCOMPARE(f.box->UnitsValue(), 2);
        QCOMPARE(f.box->text(), L("293.15"));
        QCOMPARE(f.label->text(), QString("K"));
        QCOMPARE(f.box->Decimals(), 2);
        f.box->SetUnitsType(utNone);
        QCOMPARE(f.label->text(), QString());
    }

    // The range is in base units and is checked in display units.
    void rangeFollowsUnits() {
        Form f;
        QVERIFY(f.Active());
        f.box->SetUnitsType(utLengthMeasure);
        f.box->SetUnitsValue(2); // mm
        f.box->SetRangeLo(0);
        f.box->SetRangeHi(20); // m
        f.TypeOver("25000");
        f.Leave();
        QCOMPARE(f.box->text(), L("20000.0"));
        QCOMPARE(beeps, 1);
        QCOMPARE(f.box->Value().toDouble(), 20.0);
    }

    // A pair changes unit as a pair; ft_Manual keeps the box's own format.
    void unitsOfPairAndManualFormat() {
        TxFEdit pair;
        pair.SetFormatStr("%0.1f/%0.1f");
        pair.SetValue("10/20");
        pair.SetUnitsType(utLengthMeasure);
        pair.SetUnitsValue(1); // cm; the unit's "%0.2f" becomes a pair format
        QCOMPARE(pair.FormatStr(), QString("%0.2f/%0.2f"));
        QCOMPARE(pair.text(), L("1000.00/2000.00"));

        TxFEdit manual;
        manual.SetFormatType(ft_Manual);
        manual.SetFormatStr("%0.3f");
        manual.SetValue(1.5);
        manual.SetUnitsType(utTemperatureChange);
        manual.SetUnitsValue(1);
        QCOMPARE(manual.FormatStr(), QString("%0.3f"));
        QCOMPARE(manual.text(), L("2.700"));

        // Text that is no number is left alone, but the new unit still takes effect.
        TxFEdit junk;
        junk.setText("abc");
        junk.SetUnitsType(utTemperature);
        junk.SetUnitsValue(1);
        QCOMPARE(junk.text(), QString("abc"));
        QCOMPARE(junk.Factor(), 1.8);
        junk.setText(L("212"));
        QCOMPARE(junk.Value().toDouble(), 100.0);
    }

    void valueReadWrite_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("formatType");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("read");
        QTest::newRow("fixed") << "%0.2f" << int(ft_Fixed) << QVariant(2.5) << "2.50" << QVariant(2.5);
        QTest::newRow("text of a number")
            << "%0.1f" << int(ft_Fixed) << QVariant("3.25") << "3.2" << QVariant(3.2);
        QTest::newRow("integer ties to even")
            << "%d" << int(ft_Fixed) << QVariant(2.5) << "2" << QVariant(2LL);
        QTest::newRow("significant digits")
            << "%0.1f" << int(ft_Auto) << QVariant(0.00123) << "0.00123" << QVariant(0.00123);
        QTest::newRow("auto override, small")
            << "%0.1f" << int(ft_AutoOverride) << QVariant(7.25) << "7.250" << QVariant(7.25);
        QTest::newRow("auto override, large")
            << "%0.1f" << int(ft_AutoOverride) << QVariant(1234.56) << "1234.6" << QVariant(1234.6);
        QTest::newRow("pair") << "%0.1f/%0.1f" << int(ft_Fixed) << QVariant("3/4.25") << "3.0/4.2"
                              << QVariant("3.0/4.2");
        QTest::newRow("pair from one number")
            << "%0.1f/%0.1f" << int(ft_Fixed) << QVariant(5.0) << "5.0/0.0" << QVariant("5.0/0.0");
        QTest::newRow("text") << "%S" << int(ft_Fixed) << QVariant("a b") << "a b" << QVariant("a b");
        QTest::newRow("text, width") << "[%-4s]" << int(ft_Fixed) << QVariant("ab") << "[ab  ]"
                                     << QVariant("[[ab  ]]");
        QTest::newRow("no number empties")
            << "%0.1f" << int(ft_Fixed) << QVariant("xyz") << "" << QVariant(0.0);
        QTest::newRow("null empties") << "%0.1f" << int(ft_Fixed) << QVariant() << "" << QVariant(0.0);
        QTest::newRow("infinity empties")
            << "%0.1f" << int(ft_Fixed) << QVariant(qInf()) << "" << QVariant(0.0);
        // The edit box and the entry grid share one value format: an empty pair reads as both numbers 0.
        QTest::newRow("pair, nothing shown")
            << "%0.1f/%0.1f" << int(ft_Fixed) << QVariant("x") << "" << QVariant("0.0/0.0");
        QTest::newRow("exponent format")
            << "%0.2E" << int(ft_Fixed) << QVariant(1234.5) << "1.23E+03" << QVariant(1230.0);
    }
    void valueReadWrite() {
        QFETCH(QString, format);
        QFETCH(int, formatType);
        QFETCH(QVariant, written);
        QFETCH(QString, shown);
        QFETCH(QVariant, read);
        // Texts of numbers are written in the table with "."; the box reads and shows the locale's form.
        const bool numeric = !format.contains('s') && !format.contains('S');
        const auto local = [numeric](const QVariant& v) {
            return numeric && v.typeId() == QMetaType::QString ? QVariant(L(v.toString())) : v;
        };
        TxFEdit box;
        box.SetFormatStr(format);
        box.SetFormatType(TFormatType(formatType));
        box.SetValue(local(written));
        QCOMPARE(box.text(), numeric ? L(shown) : shown);
        QCOMPARE(box.Value(), local(read));
    }

    void valueOfUntypedText() {
        TxFEdit box;
        box.setText(L(" 1 2.5e1 "));
        QCOMPARE(box.Value().toDouble(), 125.0);
        box.setText("1e-");
        QCOMPARE(box.Value(), QVariant(QString("1e-")));
    }

    void propertiesAndAssign() {
        TxFEdit box;
        QCOMPARE(box.text(), L("0.0"));
        QCOMPARE(box.FormatStr(), QString("%0.1f"));
        QCOMPARE(box.FormatType(), ft_Fixed);
        QCOMPARE(box.SigDigs(), 5);
        QCOMPARE(box.Decimals(), 0);
        QCOMPARE(box.MaxLength(), 0);
        QCOMPARE(box.property("UnitsType").value<TUnitsType>(), utNone);
        box.SetFormatStr("%S");
        QCOMPARE(box.text(), QString());

        TxFEdit source;
        source.SetUnitsType(utArea);
        source.SetUnitsValue(4);
        source.SetFormatType(ft_Auto);
        source.SetSigDigs(3);
        source.SetRangeHi(9);
        source.SetValue(2.0);
        TxFEdit copy;
        copy.SetRangeHi(50);
        copy.Assign(source);
        QCOMPARE(copy.FormatStr(), source.FormatStr());
        QCOMPARE(copy.UnitsType(), utArea);
        QCOMPARE(copy.UnitsValue(), 4);
        QCOMPARE(copy.Factor(), source.Factor());
        QCOMPARE(copy.Decimals(), source.Decimals());
        QCOMPARE(copy.FormatType(), ft_Auto);
        QCOMPARE(copy.SigDigs(), 3);
        QCOMPARE(copy.text(), source.text());
        QCOMPARE(copy.RangeHi(), 50.0);

        // A units label linked to a text box turns it numeric; a destroyed label is forgotten.
        TxFEdit textBox;
        textBox.SetFormatStr("%S");
        auto* label = new QLabel;
        textBox.SetUnitsLabel(label);
        QCOMPARE(textBox.FormatStr(), QString("%0.1f"));
        delete label;
        QCOMPARE(textBox.UnitsLabel(), nullptr);
        textBox.SetUnitsType(utMass);
    }

    // A few boxes with their unit labels as a user sees them.
    void renderForm() {
        QWidget form;
        auto* layout = new QFormLayout(&form);
        const struct {
            const char* name;
            TUnitsType kind;
            int unit;
            double value;
        } rows[] = {{"Glass Height", utLengthMeasure, 0, 1.25},
                    {"Supply Temperature", utTemperature, 1, 20.0},
                    {"Air Flow", utAirFlowPrim, 4, 0.5},
                    {"Duty", utDutyPrim, 2, 12.5}};
        QList<QPair<TxFEdit*, QLabel*>> boxes;
        for (const auto& r : rows) {
            auto* box = new TxFEdit;
            auto* label = new QLabel;
            box->SetUnitsLabel(label);
            box->SetUnitsType(r.kind);
            box->SetUnitsValue(r.unit);
            box->SetValue(r.value);
            auto* line = new QHBoxLayout;
            line->addWidget(box);
            line->addWidget(label);
            layout->addRow(r.name, line);
            boxes.append({box, label});
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const auto& [box, label] : boxes) {
            QVERIFY(!label->text().isEmpty());
            QVERIFY(label->width() >= label->sizeHint().width());
            QVERIFY(box->width() > box->fontMetrics().horizontalAdvance(box->text()));
        }
        SavePicture(form, QStringLiteral("fmtedit-form-%1").arg(QLocale().name()));
    }
};

QTEST_MAIN(TestFmtEdit)
#include "tst_fmtedit.moc"

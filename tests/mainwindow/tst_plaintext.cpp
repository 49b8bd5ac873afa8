// Text from files, the clipboard and the user is shown literally. A planted place name and region and a
// pasted time that look like HTML reach the widgets that show them and come out as typed, with no
// image loaded; every label and tool tip of every window is plain, so that the next label that forgets
// is caught here; and no source shows a message box but through the one plain helper.
#include "about/TxAbout.h"
#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "dialogs/DesignPeaksDlg.h"
#include "locations/TxSelectLocation.h"
#include "tests/common/TestPaths.h"

#include "../common/ModalAnswer.h"
#include "../common/SavePicture.h"
#include "../locations/LocationFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

// An image that rich text would draw: a label showing it grows far taller than a line.
constexpr int PlantedHeight = 400;

QString PlantImage(const TLocationFixture& f) {
    const QString path = f.Path("i.png");
    QImage image(40, PlantedHeight, QImage::Format_RGB32);
    image.fill(Qt::red);
    if (!image.save(path)) qFatal("cannot plant the image");
    return path;
}

QString Describe(const QWidget* w) {
    QString text = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        text += QStringLiteral(" in ") + QString::fromLatin1(p->metaObject()->className());
    return text;
}

// The label shows text as it is, one line high.
void VerifyLiteral(const QLabel* label, const QString& text) {
    QCOMPARE(label->text(), text);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY2(label->sizeHint().height() < PlantedHeight, qPrintable(Describe(label)));
}

} // namespace

class TestPlainText : public QObject {
    Q_OBJECT
private slots:
    // Every label of every window, and every tool tip while a place with an HTML-like name is picked.
    void everyLabelAndToolTipOfEveryWindowIsPlain() {
        TProgramWindows windows(QStringLiteral("1.0"));
        windows.CalendarForm();
        windows.LocationForm();
        windows.AzimuthForm();
        windows.PreviewForm();
        windows.Report();
        windows.ProfileEdForm();
        windows.ChartColorForm();
        windows.AnglesForm();
        windows.ProfileViewForm();
        windows.AboutBox();
        TDesignPeaksForm peaks(&windows.MainForm);
        TAboutBox about(&windows.MainForm);
        // A picked place whose name looks like HTML, wherever the windows show it.
        const QString planted = QStringLiteral("<img src=no-such-picture.png>, <b>Region</b>");
        windows.MainForm.Document().PickLocation(planted, 0, 51.5, 0, 0, 30, 10);
        windows.MainForm.show();
        for (int i = 0; i < windows.MainForm.Pages()->count(); ++i)
            windows.MainForm.Pages()->setCurrentIndex(i); // a page is built when first shown
        int labels = 0;
        for (QWidget* w : QApplication::allWidgets()) {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(Describe(label)));
                ++labels;
            }
            // A tool tip is rich text when it looks like it: then it must not hold the name unescaped.
            const auto safeTip = [&](const QString& tip) {
                return !Qt::mightBeRichText(tip) || !tip.contains(QStringLiteral("<img"));
            };
            QVERIFY2(safeTip(w->toolTip()), qPrintable(Describe(w)));
            for (const QAction* a : w->actions())
                QVERIFY2(safeTip(a->toolTip()), qPrintable(a->text()));
        }
        QVERIFY2(labels > 30, qPrintable(QString::number(labels))); // the walk reached the windows' labels
    }

    // Static QMessageBox calls and boxes made in place guess rich text; only the helper makes one.
    void noMessageBoxButThePlainOne() {
        const QRegularExpression made(QStringLiteral(
            R"(QMessageBox::(information|warning|critical|question|about)\s*\(|QMessageBox\s+\w+\s*[({])"));
        QStringList found;
        for (const char* folder : {"app", "controls", "dialogs", "locations", "report", "storage", "tools"}) {
            QDirIterator it(SourcePath("/") + QLatin1String(folder), {"*.cpp", "*.h"},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (path.endsWith(QStringLiteral("storage/PlainText.cpp"))) continue;
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                if (QString::fromUtf8(file.readAll()).contains(made)) found << path;
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u' ')));
    }

    void hostilePlaceInTheLocationDialog() {
        TLocationFixture f;
        PlantImage(f);
        // An index key ends at its first "=": the region holds tables, the place the image.
        const QString region =
            QStringLiteral("<table><tr><td><table><tr><td>R</td></tr></table></td></tr></table>");
        const QString place = QStringLiteral("<b>Ash</b><img src=i.png>");
        f.WriteIndex("[Lakes]\r\n+All=0\r\n" + region.toUtf8() + "=3\r\n");
        f.WriteRecords("Lakes.qdb", {Place(7, 3, place, 1)});
        QDir::setCurrent(f.Folder());
        TSelectLocationForm form(nullptr, f.Folder());
        form.PresetLocation(QString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        VerifyLiteral(form.StatusPanel(1), place + QStringLiteral(", ") + region);
        SavePicture(form, QStringLiteral("location-hostile-names"));
    }

    void hostileLocationInTheDesignPeaksHeading() {
        TLocationFixture f;
        const QString name =
            QStringLiteral("<img src=%1>, <table><tr><td>x</td></tr></table>").arg(PlantImage(f));
        TMainForm form;
        form.Document().PickLocation(name, 0, 51.5, 0, 0, 30, 10);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        bool answered = false, found = false;
        Qt::TextFormat format = Qt::AutoText;
        int height = 0;
        QTimer::singleShot(0, &form, [&] {
            QTRY_VERIFY(qobject_cast<TDesignPeaksForm*>(QApplication::activeModalWidget()));
            auto* peaks = qobject_cast<TDesignPeaksForm*>(QApplication::activeModalWidget());
            for (const QLabel* label : peaks->findChildren<QLabel*>()) {
                if (!label->text().startsWith(name)) continue;
                found = true;
                format = label->textFormat();
                height = label->sizeHint().height();
            }
            QTest::keyClick(peaks, Qt::Key_Escape);
            answered = true;
        });
        QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        QTRY_VERIFY(answered);
        QVERIFY(found);
        QCOMPARE(format, Qt::PlainText);
        QVERIFY(height < PlantedHeight);
    }

    void pastedTimeInTheMessage() {
        TLocationFixture f;
        const QString pasted = QStringLiteral("<img src=%1>").arg(PlantImage(f));
        TMainForm form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Pages()->setCurrentIndex(pgLocal);
        QLineEdit* time = nullptr;
        for (QLineEdit* e : form.Pages()->widget(pgLocal)->findChildren<QLineEdit*>())
            if (!e->isReadOnly()) time = e;
        QVERIFY(time);
        QApplication::clipboard()->setText(pasted);
        QTest::mouseClick(time, Qt::LeftButton);
        QTest::keyClick(time, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(time, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(time->text(), pasted);
        QPushButton* update = form.Pages()->widget(pgLocal)->findChild<QPushButton*>();
        QVERIFY(update);
        const TAnsweredMessage seen = AnswerMessage([&] { QTest::mouseClick(update, Qt::LeftButton); });
        QVERIFY(seen.Answered);
        QCOMPARE(seen.Text, QStringLiteral("'%1' is not a valid floating point value").arg(pasted));
        QCOMPARE(seen.Format, Qt::PlainText);
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"

#include "TestPaths.h"
#include "data/AppState.h"
#include "print/view/ReportWindows.h"
#include "shell/QtSaveFileChooser.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/EntryFixture.h"
#include "support/ProgramFiles.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace orv;
using namespace orv::test;

// The maximized windows on an X display without a window manager, where no one but the program
// sizes and activates them.
class TestWindowsXvfb : public QObject
{
    Q_OBJECT

    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Keys pressed on the X display, as a keyboard presses them: they go to the window that
    // holds the X input focus.
    static bool press(const QString& keys)
    {
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
    }

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    // The entry page is laid out at full size, at its top, its first item focused and in view,
    // and the keyboard goes to the window.
    void entryWindowFillsTheScreenAtTheTopOfItsPage()
    {
        EntryFixture f;
        QString error;
        QVERIFY2(f.open(&error), qPrintable(error));
        copyFolder(QStringLiteral(ORV_TEST_PROGRAM_DIR "/FORM"), f.folder.file("FORM"));
        QMainWindow menu;
        menu.show();
        frmOrv21 window(f.state, &menu);
        window.showEntry();
        window.navigatePage(QStringLiteral("A.HTM"));

        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry(), screenArea(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(window.isActiveWindow(), 2000);
        const QString view = QStringLiteral(
            "(function (e) { var r = e.getBoundingClientRect();"
            "return [scrollX, scrollY, e.name, r.top >= 0 && r.bottom <= innerHeight].join(' ');"
            "})(document.activeElement)");
        QCOMPARE(window.WB()->runScript(view).toString(), QStringLiteral("0 0 orv_A1_1 true"));
    }

    // The preview fills the screen, and its page the width it then has.
    void printPreviewFillsTheScreen()
    {
        ReportLayout layout;
        layout.bandHeight = 1440;
        ReportDesigner report(QStringLiteral("rptTest"), layout);
        report.WindowState = 2;
        report.Show();
        QTRY_COMPARE_WITH_TIMEOUT(report.preview()->frameGeometry(), screenArea(), 2000);
        auto* pages = report.preview()->findChild<QScrollArea*>();
        // Across the window, but for the grey margins, and no wider.
        QVERIFY(pages->widget()->width() >= pages->viewport()->width() - 40);
        QVERIFY(!pages->horizontalScrollBar()->isVisible());
    }

    // After the print dialog or the PDF save dialog the preview takes keys again, with no window
    // manager to give it the keyboard back.
    void previewTakesKeysAfterItsDialogs_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("print dialog") << "ctrl+p";
        QTest::newRow("PDF save dialog") << "ctrl+s";
    }
    void previewTakesKeysAfterItsDialogs()
    {
        QFETCH(QString, opener);
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        QtSaveFileChooser chooser(folder.path());
        state.saveChooser = &chooser;
        ReportWindows windows(state);
        windows.showReport(ReportKind::Assessment);
        ReportPreview* preview = windows.designer(ReportKind::Assessment).preview();
        QTRY_VERIFY_WITH_TIMEOUT(preview->isActiveWindow(), 2000);

        // The dialog is closed with Escape; should the keys go astray, it is closed from here so
        // that the test fails rather than waits.
        bool dialogShown = false;
        QTimer escape;
        connect(&escape, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isActiveWindow())
                return;
            escape.stop();
            dialogShown = true;
            press(QStringLiteral("Escape"));
            QTimer::singleShot(2000, dialog, &QWidget::close);
        });
        escape.start(20);
        QVERIFY(press(opener));
        QTRY_VERIFY_WITH_TIMEOUT(dialogShown && !QApplication::activeModalWidget(), 5000);

        QVERIFY(press(QStringLiteral("Next")));
        QTRY_COMPARE_WITH_TIMEOUT(preview->currentPage(), 1, 2000);
        QVERIFY(press(QStringLiteral("ctrl+End")));
        QTRY_COMPARE_WITH_TIMEOUT(preview->currentPage(), preview->pageCount() - 1, 2000);
        QVERIFY(press(QStringLiteral("Escape")));
        QTRY_VERIFY_WITH_TIMEOUT(!preview->isVisible(), 2000);
    }
};

QTEST_MAIN(TestWindowsXvfb)
#include "tst_windows_xvfb.moc"

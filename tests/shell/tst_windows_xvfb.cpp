#include "TestPaths.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/EntryFixture.h"
#include "support/ProgramFiles.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace orv;
using namespace orv::test;

// The maximized windows on an X display without a window manager, where no one but the program
// sizes and activates them.
class TestWindowsXvfb : public QObject
{
    Q_OBJECT

    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

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
};

QTEST_MAIN(TestWindowsXvfb)
#include "tst_windows_xvfb.moc"

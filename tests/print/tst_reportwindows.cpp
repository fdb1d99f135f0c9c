#include "common/AnsiText.h"
#include "common/SaveFileChooser.h"
#include "data/AppState.h"
#include "data/RecordFiles.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "print/view/ReportWindows.h"
#include "print/view/rptRapList.h"
#include "support/ModalWatchdog.h"
#include "support/PdfText.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QtTest>

using namespace orv;
using orv::test::PdfText;

namespace {

void writeDataFile(const QString& path, const QString& name, const QString& value)
{
    AnsiTextWriter writer;
    QVERIFY(writer.open(path));
    writer.writeLine("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>");
    writer.writeLine("<main>");
    writer.writeLine("<" + name + ">" + value + "</" + name + ">");
    writer.writeLine("</main>");
    QVERIFY(writer.commit());
}

class FixedSaveChooser : public SaveFileChooser
{
public:
    QString path;
    int asked = 0;
    QString filter;
    QString suggested;
    QWidget* owner = nullptr;
    QString chooseSaveFile(const QString&, const QString&) override
    {
        ++asked;
        return path;
    }
    QString chooseSaveFile(const QString& filter, const QString& title,
                           const QString& suggestedPath, QWidget* owner) override
    {
        this->filter = filter;
        suggested = suggestedPath;
        this->owner = owner;
        return chooseSaveFile(filter, title);
    }
};

} // namespace

class TestReportWindows : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    void initializeSetsWindowFileAndCaption_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::newRow("face") << int(ReportKind::FaceSheet) << "orv21_12.xml"
                              << "Orv2.1 入院・入所時のフェイスシート情報";
        QTest::newRow("assessment") << int(ReportKind::Assessment) << "orv21_ar.xml"
                                    << "Orv2.1 施設ケア アセスメント表";
        QTest::newRow("selection") << int(ReportKind::RapSelection) << "orv21_trigger.xml"
                                   << "Orv2.1 RAP選定表";
        QTest::newRow("summary") << int(ReportKind::RapSummary) << "orv21_s.xml"
                                 << "Orv2.1 RAPサマリー";
        QTest::newRow("medication") << int(ReportKind::Medication) << "orv21_t.xml"
                                    << "Orv2.1 薬物治療調査票";
        QTest::newRow("list") << int(ReportKind::RapList) << ""
                              << "Orv2.1 RAP一覧表";
    }

    void initializeSetsWindowFileAndCaption()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        AppState state;
        state.folder = ProgramFolder("/opt/orv");
        ReportWindows windows(state);
        QVERIFY(!windows.exists(ReportKind(kind)));
        ReportDesigner& report = windows.designer(ReportKind(kind));
        QVERIFY(windows.exists(ReportKind(kind)));
        QCOMPARE(report.WindowState, 2);
        QCOMPARE(report.Caption, caption);
        QCOMPARE(report.FileURL, file.isEmpty() ? QString() : "/opt/orv/" + file);
        QCOMPARE(&windows.designer(ReportKind(kind)), &report);
    }

    // One designer and one preview for the run; every show reads the file just written.
    void everyShowDisplaysTheFileJustWritten()
    {
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        ReportWindows windows(state);
        const QString file = folder.file("orv21_12.xml");

        writeDataFile(file, "m1-1-1", "山田");
        windows.showReport(ReportKind::FaceSheet);
        ReportDesigner& report = windows.designer(ReportKind::FaceSheet);
        ReportPreview* preview = report.preview();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Orv2.1 入院・入所時のフェイスシート情報"));
        QCOMPARE(preview->pageCount(), 2);
        QCOMPARE(preview->document()->record.value("m1-1-1"), QStringLiteral("山田"));

        preview->showPage(1);
        QCOMPARE(preview->currentPage(), 1);
        preview->close();

        writeDataFile(file, "m1-1-1", "佐藤");
        windows.showReport(ReportKind::FaceSheet);
        QCOMPARE(&windows.designer(ReportKind::FaceSheet), &report);
        QCOMPARE(report.preview(), preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->currentPage(), 0);
        QCOMPARE(preview->document()->record.value("m1-1-1"), QStringLiteral("佐藤"));

        // A file gone since: the form shows empty.
        QFile::remove(file);
        windows.showReport(ReportKind::FaceSheet);
        QVERIFY(preview->document()->record.isEmpty());
    }

    void previewPagesThroughTheDocument()
    {
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        ReportWindows windows(state);
        windows.showReport(ReportKind::Assessment);
        ReportPreview* preview = windows.designer(ReportKind::Assessment).preview();
        QCOMPARE(preview->pageCount(), 19);
        auto* page = preview->findChild<QLabel*>("lblPage");
        QVERIFY(page);
        QCOMPARE(page->text(), QStringLiteral("1 / 19"));
        auto action = [&](const char* name) { return preview->findChild<QAction*>(name); };
        QVERIFY(!action("actPrevious")->isEnabled());
        action("actNext")->trigger();
        QCOMPARE(preview->currentPage(), 1);
        action("actLast")->trigger();
        QCOMPARE(preview->currentPage(), 18);
        QVERIFY(!action("actNext")->isEnabled());
        action("actPrevious")->trigger();
        QCOMPARE(preview->currentPage(), 17);
        action("actFirst")->trigger();
        QCOMPARE(preview->currentPage(), 0);
        preview->showPage(40);
        QCOMPARE(preview->currentPage(), 18);
        QCOMPARE(page->text(), QStringLiteral("19 / 19"));
        preview->showPage(-3);
        QCOMPARE(preview->currentPage(), 0);
        for (int zoom = 0; zoom < 7; ++zoom)
            preview->setZoomIndex(zoom);
        preview->close();
    }

    // The save dialog belongs to the preview, starts in the user's documents folder with the
    // form's name and the resident's ID, and the preview says where the file went.
    void previewSavesAndPrintsThePdf()
    {
        test::TempFolder folder;
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(folder.path()));
        QVERIFY(QDir(folder.path()).mkpath("Documents"));
        AppState state;
        state.folder = ProgramFolder(folder.path());
        state.CurID = QStringLiteral("A/12");
        FixedSaveChooser chooser;
        chooser.path = folder.file("保存.pdf");
        state.saveChooser = &chooser;
        ReportWindows windows(state);
        writeDataFile(folder.file("orv21_t.xml"), "T-A-1-1-1", "アムロジピン");
        windows.showReport(ReportKind::Medication);
        ReportPreview* preview = windows.designer(ReportKind::Medication).preview();
        preview->findChild<QAction*>("actSavePdf")->trigger();
        qputenv("HOME", home);
        QCOMPARE(chooser.asked, 1);
        QCOMPARE(chooser.owner, preview);
        QCOMPARE(chooser.filter, QStringLiteral("PDFファイル|*.pdf"));
        QCOMPARE(chooser.suggested, folder.file("Documents/薬物治療調査票_A_12.pdf"));
        QCOMPARE(PdfText::pageCount(chooser.path), 2);
        QVERIFY(PdfText::text(chooser.path).contains(QStringLiteral("アムロジピン")));
        QCOMPARE(preview->statusBar()->currentMessage(),
                 QStringLiteral("PDFファイルを保存しました：%1").arg(chooser.path));

        // The next showing does not claim the save; a cancelled choice writes nothing and says
        // nothing.
        windows.showReport(ReportKind::Medication);
        QCOMPARE(preview->statusBar()->currentMessage(), QString());
        chooser.path.clear();
        preview->saveAsPdf();
        QCOMPARE(QDir(folder.path()).entryList({"*.pdf"}).size(), 1);
        QCOMPARE(preview->statusBar()->currentMessage(), QString());

        // The print dialog: its page and copies as the report set them; the second page only.
        int asked = 0;
        preview->setPrintDialog([&](QPrinter& printer, QWidget*) {
            ++asked;
            if (printer.copyCount() != 1 || printer.pageLayout().pageSize().id() != QPageSize::A4)
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.file("printed.pdf"));
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 2);
            return true;
        });
        preview->printWithDialog();
        QCOMPARE(asked, 1);
        QCOMPARE(PdfText::pageCount(folder.file("printed.pdf")), 1);
        QVERIFY(PdfText::text(folder.file("printed.pdf")).contains(QStringLiteral("Ｂ．注射")));

        // A cancelled dialog prints nothing.
        preview->setPrintDialog([](QPrinter&, QWidget*) { return false; });
        preview->printWithDialog();

        // Printing to a file over the record file is refused.
        const QString recordFile = folder.write("Orv21.db", "SQLite format 3");
        preview->setPrintDialog([&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(recordFile);
            return true;
        });
        QString refusal;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refusal = box->text();
                box->accept();
            }
        });
        closer.start(10);
        preview->printWithDialog();
        QCOMPARE(refusal, RecordFiles::refusal(recordFile));
        QCOMPARE(QFileInfo(recordFile).size(), qint64(15));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.file("printed.pdf"));
        preview->printTo(&printer);
        QCOMPARE(PdfText::pageCount(folder.file("printed.pdf")), 2);
        QVERIFY(PdfText::text(folder.file("printed.pdf")).contains(QStringLiteral("アムロジピン")));
        preview->close();
    }

    // Printing to a file offers the name and folder that saving as PDF offers: the form's name
    // and the resident's ID, in the documents folder, or the home folder when there is none.
    void printToFileOffersThePdfName_data()
    {
        QTest::addColumn<bool>("documents");
        QTest::newRow("書類フォルダ") << true;
        QTest::newRow("ホームフォルダ") << false;
    }
    void printToFileOffersThePdfName()
    {
        QFETCH(bool, documents);
        test::TempFolder folder;
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(folder.path()));
        if (documents)
            QVERIFY(QDir(folder.path()).mkpath("Documents"));
        AppState state;
        state.folder = ProgramFolder(folder.path());
        state.CurID = QStringLiteral("A/12");
        ReportWindows windows(state);
        windows.showReport(ReportKind::Assessment);
        ReportPreview* preview = windows.designer(ReportKind::Assessment).preview();
        QString offered = QStringLiteral("<no file box>");
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                    offered = file->text();
                dialog->reject();
            }
        });
        closer.start(10);
        preview->printWithDialog();
        qputenv("HOME", home);
        const QString name = QStringLiteral("施設ケア アセスメント表_A_12.pdf");
        QCOMPARE(offered, documents ? folder.file("Documents/" + name) : folder.file(name));
        preview->close();
    }

    // In page-width mode the page fits across its window, at every showing of the preview.
    void pageWidthFitsAtEveryShowing()
    {
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        ReportWindows windows(state);
        for (int showing = 1; showing <= 3; ++showing) {
            windows.showReport(ReportKind::Assessment);
            ReportPreview* preview = windows.designer(ReportKind::Assessment).preview();
            QVERIFY(QTest::qWaitForWindowExposed(preview));
            auto* scroll = preview->findChild<QScrollArea*>();
            QCOMPARE(preview->findChild<QComboBox*>("cboZoom")->currentText(),
                     QStringLiteral("ページ幅"));
            QCoreApplication::sendPostedEvents(); // the scroll area lays itself out
            QVERIFY2(scroll->widget()->width() <= scroll->viewport()->width(),
                     qPrintable(QStringLiteral("showing %1").arg(showing)));
            QVERIFY(!scroll->horizontalScrollBar()->isVisible());
            QVERIFY(scroll->widget()->width() > scroll->viewport()->width() * 9 / 10);
            preview->close();
        }
    }

    void rapListTakesTheNameOfTheLastRapRun()
    {
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        ReportWindows windows(state);
        state.CurName = QStringLiteral("鈴木 一郎");
        windows.showReport(ReportKind::RapList);
        auto& list = static_cast<rptRapList&>(windows.designer(ReportKind::RapList));
        QCOMPARE(list.document().layout.control("lblName")->text, QStringLiteral("鈴木 一郎"));
        QCOMPARE(list.subReport(1)->FileURL, folder.file("RAP_01.xml"));
        QCOMPARE(list.subReport(6)->FileURL, folder.file("RAP_06.xml"));
        rptRAP* first = list.subReport(1);

        state.CurName = QStringLiteral("田中 二郎");
        windows.showReport(ReportKind::RapList);
        QCOMPARE(list.document().layout.control("lblName")->text, QStringLiteral("田中 二郎"));
        // The sub-reports are made anew at every start.
        QVERIFY(list.subReport(1) != first || list.subReport(1)->number() == 1);
        QCOMPARE(list.subReport(4)->number(), 4);
        list.preview()->close();
    }
};

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"

#include "common/DocumentLauncher.h"
#include "common/Twips.h"
#include "data/AppState.h"
#include "print/view/BlankFormWriter.h"
#include "print/view/frmPDFPrint.h"
#include "support/PdfText.h"
#include "support/TempFolder.h"
#include "TestPaths.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPushButton>
#include <QtTest>

using namespace orv;
using orv::test::PdfText;

namespace {

class RecordingLauncher : public DocumentLauncher
{
public:
    QStringList opened;
    void ShellOpenFile(const QString& path) override { opened << path; }
};

} // namespace

class TestFrmPdfPrint : public QObject
{
    Q_OBJECT

private slots:
    void buttonsOpenTheirDocuments_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("document");
        QTest::newRow("フェイスシート") << "cmdFaceSheet"
                                        << "入院・入所時のフェイスシート"
                                        << "PDF/FaceSheet.pdf";
        QTest::newRow("アセスメント表") << "CmdAssessment"
                                        << "アセスメント表"
                                        << "PDF/Assessment.pdf";
        QTest::newRow("RAPサマリー") << "cmdRapSummry"
                                     << "RAPサマリー(ケアプラン作成評価票)"
                                     << "PDF/RapSummary.pdf";
        QTest::newRow("薬物治療調査票") << "cmdMedication"
                                        << "薬物治療調査票"
                                        << "PDF/Medication.pdf";
        QTest::newRow("RAP選定表") << "cmdRapSelect"
                                   << "RAP選定表"
                                   << "PDF/RapSelect.pdf";
        QTest::newRow("施設サービス計画書") << "cmdSisetuSrv"
                                            << "施設サービス計画書(1)(2)"
                                            << "PDF/SisetuSrv.pdf";
        QTest::newRow("週間サービス計画表") << "cmdSyukanSrv"
                                            << "週間サービス計画表"
                                            << "PDF/SyukanSrv.pdf";
    }

    void buttonsOpenTheirDocuments()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, document);
        RecordingLauncher launcher;
        AppState state;
        state.launcher = &launcher;
        state.folder = ProgramFolder("/opt/orv");
        frmPDFPrint window(state);
        window.show();
        auto* push = window.findChild<QPushButton*>(button);
        QVERIFY(push);
        QCOMPARE(push->text(), caption);
        QTest::mouseClick(push, Qt::LeftButton);
        QTest::mouseClick(push, Qt::LeftButton);
        QCOMPARE(launcher.opened, QStringList({"/opt/orv/" + document, "/opt/orv/" + document}));
        QVERIFY(window.isVisible());
    }

    void layoutInTwips()
    {
        AppState state;
        frmPDFPrint window(state);
        QCOMPARE(window.windowTitle(), QStringLiteral("空表出力(PDF)"));
        QVERIFY(!window.isModal());
        const Twips twips(window.logicalDpiY());
        QCOMPARE(window.size(), twips.toPixels(6630, 6060));
        auto* cmd = window.findChild<QPushButton*>("cmdRapSelect");
        QCOMPARE(cmd->geometry(), QRect(QPoint(twips.toPixels(120), twips.toPixels(3480)),
                                        twips.toPixels(6375, 495)));
        const auto titles = {"lbTitle1", "lbTitle2"};
        for (const char* name : titles)
            QCOMPARE(window.findChild<QLabel*>(name)->text(), QStringLiteral("空表(PDF)印刷"));
        QCOMPARE(window.findChild<QLabel*>("lbTitle2")->x() -
                     window.findChild<QLabel*>("lbTitle1")->x(),
                 twips.toPixels(60));
        QCOMPARE(window.findChild<QLabel*>("lbMsg2")->text(),
                 QStringLiteral("PDFを出力できるソフトウェアが必要です。"));
        QVERIFY(!window.findChild<QLabel*>("lbMsg")->text().isEmpty());
        QVERIFY(!window.findChild<QLabel*>("lbMsg3")->text().isEmpty());
        QCOMPARE(window.findChildren<QPushButton*>().size(), 7);

        // Centred on the screen, in twips: the difference halved without its remainder.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int left = Twips::centredOffset(twips.fromPixels(screen.width()), 6630);
        const int top = Twips::centredOffset(twips.fromPixels(screen.height()), 6060);
        QCOMPARE(window.pos(), QPoint(twips.toPixels(left), twips.toPixels(top)));
    }

    void noLauncherOpensNothing()
    {
        AppState state;
        frmPDFPrint window(state);
        QTest::mouseClick(window.findChild<QPushButton*>("cmdFaceSheet"), Qt::LeftButton);
    }

    // "PDF_PRINT" with the window open brings that window forward.
    void anOpenWindowIsBroughtForward()
    {
        AppState state;
        QPointer<frmPDFPrint> slot;
        frmPDFPrint* first = frmPDFPrint::showOrRaise(slot, state);
        QVERIFY(first->isVisible());
        QCOMPARE(frmPDFPrint::showOrRaise(slot, state), first);
        QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
        first->close();
        QTRY_VERIFY(slot.isNull());
        frmPDFPrint* second = frmPDFPrint::showOrRaise(slot, state);
        QVERIFY(second);
        QVERIFY(second->isVisible());
        second->close();
    }

    void blankFormWriterMakesItsFolder()
    {
        test::TempFolder folder;
        QString error;
        QVERIFY2(BlankFormWriter::writeAll(folder.file("new/PDF"), &error), qPrintable(error));
        QCOMPARE(QDir(folder.file("new/PDF")).entryList({"*.pdf"}).size(), 7);
        // The entry date, a caption carried by its element, has its place on the blank form.
        QVERIFY(PdfText::compact(PdfText::text(folder.file("new/PDF/RapSummary.pdf")))
                    .contains(PdfText::compact("記入年月日：")));
        QVERIFY(!BlankFormWriter::writeAll("/proc/orv-forms", &error));
        QVERIFY(!error.isEmpty());
    }

    // The build leaves the seven blank forms in the program folder.
    void blankFormsAreInTheProgramFolder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("title");
        QTest::newRow("FaceSheet") << "FaceSheet.pdf" << 2 << "施設ケアアセスメント表（Orv2.1）";
        QTest::newRow("Assessment") << "Assessment.pdf" << 19 << "R．アセスメントへの参加";
        QTest::newRow("RapSummary")
            << "RapSummary.pdf" << 1 << "S．RAPサマリー（ケアプラン作成評価票）";
        QTest::newRow("Medication") << "Medication.pdf" << 2 << "T．薬物治療調査票";
        QTest::newRow("RapSelect") << "RapSelect.pdf" << 2 << "Orv2.1 RAP選定表";
        QTest::newRow("SisetuSrv") << "SisetuSrv.pdf" << 2 << "施設サービス計画書（２）";
        QTest::newRow("SyukanSrv") << "SyukanSrv.pdf" << 1 << "週間サービス計画表";
    }

    void blankFormsAreInTheProgramFolder()
    {
        QFETCH(QString, file);
        QFETCH(int, pages);
        QFETCH(QString, title);
        QVERIFY(BlankFormWriter::fileNames().contains(file));
        const QString path = QStringLiteral(ORV_TEST_PROGRAM_DIR "/PDF/") + file;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QCOMPARE(PdfText::pageCount(path), pages);
        QVERIFY(PdfText::compact(PdfText::text(path)).contains(PdfText::compact(title)));
    }
};

QTEST_MAIN(TestFrmPdfPrint)
#include "tst_frmpdfprint.moc"

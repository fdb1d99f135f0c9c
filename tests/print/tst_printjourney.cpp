#include "print/PrintCommands.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "print/view/ReportWindows.h"
#include "print/view/rptRapList.h"
#include "rap/RapFixture.h"
#include "rap/RapRun.h"
#include "support/PdfText.h"
#include "support/ProgramFiles.h"

#include <QtTest>

using namespace orv;
using namespace orv::test;

namespace {

const QString kId = QStringLiteral("0001");

} // namespace

// Each print command as the menu runs it: the pick (or the RAP run), the report-data file,
// the report window, and the values of the stored record on the rendered form.
class TestPrintJourney : public QObject
{
    Q_OBJECT

private:
    RapFixture m_f;
    std::unique_ptr<ReportWindows> m_windows;
    std::unique_ptr<PrintCommands> m_prints;
    std::unique_ptr<RapRun> m_rapRun;
    const DateValue m_date = day(2024, 4, 1);

    // The text of the shown preview of a report, saved as PDF.
    QString formText(ReportKind kind, const QString& pdfName)
    {
        ReportPreview* preview = m_windows->designer(kind).preview();
        if (!preview || !preview->isVisible())
            return QString();
        const QString path = m_f.folder.file(pdfName);
        QString error;
        if (!preview->savePdf(path, &error))
            return QStringLiteral("<") + error + QStringLiteral(">");
        return PdfText::compact(PdfText::text(path));
    }

    void store(const QString& table, const QMap<QString, Value>& values)
    {
        QStringList names = {"[ID]", "[基準日]"};
        QStringList marks = {"?", "?"};
        QVector<Value> params = {Value(kId), Value(m_date)};
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            names << "[" + it.key() + "]";
            marks << "?";
            params << it.value();
        }
        m_f.run(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                    .arg(table, names.join(','), marks.join(',')),
                params);
    }

private slots:
    void initTestCase()
    {
        copyProgramFiles(m_f.folder.path());
        m_f.addAssessment(kId, m_date, {{"B5-b", 2}, {"B5-e", 2}, {"O4-a", 1}}, "山田", "花子");
        m_f.run("UPDATE [A] SET [A10-a]=1, [A3]=? WHERE [ID]=?",
                {Value(day(2024, 3, 15)), Value(kId)});
        store("KIHON1", {{"1-1-1", Value("山田")},
                         {"1-1-2", Value("花子")},
                         {"1-2", Value(2)},
                         {"1-3-1", Value(day(1935, 5, 5))},
                         {"1-4-1", Value("100-0001")},
                         {"1-4-2", Value("東京都千代田区千代田1〜2 A&Bハイツ")},
                         {"1-8-1", Value(1)},
                         {"1-9-2", Value("長女と同居・歯科～月2回／𠮷野")}});
        store("S", {{"S0-1", Value("2024/04/03")},
                    {"S1-a", Value(1)},
                    {"S1-b", Value("夜間<不穏>あり\r\n転倒に注意")}});
        store("T", {{"T0-1", Value(day(2024, 4, 2))}, {"T-A-1-1-1", Value("アムロジピン")}});
    }

    // The stored records are shared; the windows, the boxes shown and the picks are each
    // function's own.
    void init()
    {
        m_f.boxes.clear();
        m_f.finder.picks.clear();
        m_f.chooser.paths.clear();
        m_windows = std::make_unique<ReportWindows>(m_f.state);
        m_f.state.reports = m_windows.get();
        m_prints = std::make_unique<PrintCommands>(m_f.state);
        m_rapRun = std::make_unique<RapRun>(m_f.state);
    }
    void cleanup()
    {
        m_rapRun.reset();
        m_prints.reset();
        m_f.state.reports = nullptr;
        m_windows.reset();
    }

    void faceSheet()
    {
        m_f.finder.picks.enqueue({kId, m_date});
        m_prints->Face_Print();
        const QString text = formText(ReportKind::FaceSheet, "face.pdf");
        QVERIFY2(text.contains(PdfText::compact("山田")), qPrintable(text));
        QVERIFY(text.contains(PdfText::compact("〒100-0001")));
        QVERIFY(text.contains(PdfText::compact("千代田1〜2 A&Bハイツ")));
        QVERIFY(text.contains(PdfText::compact("昭和10年5月5日")));
        // copied as drawn: no radical for its ideograph, no look-alike punctuation, and a
        // character beyond U+FFFF
        QVERIFY2(text.contains(QStringLiteral("山田")) && text.contains(QStringLiteral("花子")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("長女と同居・歯科～月2回／𠮷野")), qPrintable(text));
        QCOMPARE(m_f.boxes.count(), 0);
    }

    void assessment()
    {
        m_f.finder.picks.enqueue({kId, m_date});
        m_prints->Assessment_PRINT();
        const QString text = formText(ReportKind::Assessment, "ar.pdf");
        QVERIFY2(text.contains(PdfText::compact("令和6年3月15日")), qPrintable(text.left(400)));
        QVERIFY(text.contains(PdfText::compact("山田")));
    }

    void summaryAndMedication()
    {
        m_f.finder.picks.enqueue({kId, m_date});
        m_prints->SAM_PRINT();
        const QString summary = formText(ReportKind::RapSummary, "s.pdf");
        QVERIFY2(summary.contains(PdfText::compact("記入年月日：令和6年4月3日")),
                 qPrintable(summary.left(400)));
        QVERIFY(summary.contains(PdfText::compact("夜間<不穏>あり")));
        QVERIFY(summary.contains(PdfText::compact("転倒に注意")));
        QVERIFY(!summary.contains(QLatin1String("&#")));

        m_f.finder.picks.enqueue({kId, m_date});
        m_prints->DRAG_PRINT();
        const QString medication = formText(ReportKind::Medication, "t.pdf");
        QVERIFY(medication.contains(PdfText::compact("アムロジピン")));
        QVERIFY(medication.contains(PdfText::compact("令和6年4月2日")));
    }

    void rapCommandsAfterTheRapRun()
    {
        // the dispatcher runs the RAP run first; it picks the assessment
        m_f.finder.picks.enqueue({kId, m_date});
        QCOMPARE(m_rapRun->RAP_CREATE(), RapRunOutcome::Evaluated);
        m_prints->RAP_PRINT();
        ReportDesigner& selection = m_windows->designer(ReportKind::RapSelection);
        QVERIFY(selection.preview() && selection.preview()->isVisible());
        QCOMPARE(selection.document().record.value("rap1"), QStringLiteral("○"));
        QCOMPARE(selection.document().record.value("rap19"), QStringLiteral("○"));
        QCOMPARE(selection.document().record.value("B4"), QStringLiteral("レ"));
        QVERIFY(!formText(ReportKind::RapSelection, "rap.pdf").isEmpty());

        m_f.finder.picks.enqueue({kId, m_date});
        QCOMPARE(m_rapRun->RAP_CREATE(), RapRunOutcome::Evaluated);
        m_prints->RAPL_PRINT();
        const QString list = formText(ReportKind::RapList, "rapl.pdf");
        QVERIFY2(list.contains(PdfText::compact("令和6年4月1日")), qPrintable(list.left(400)));
        QVERIFY(list.contains(PdfText::compact("せん妄")));
        QVERIFY(list.contains(PdfText::compact("向精神薬")));
        QVERIFY(list.contains(PdfText::compact("山田花子")));

        const QString sheet = m_f.folder.file("kento.rtf");
        m_f.chooser.paths.enqueue(sheet);
        m_f.finder.picks.enqueue({kId, m_date});
        QCOMPARE(m_rapRun->RAP_CREATE(), RapRunOutcome::Evaluated);
        m_prints->KENTO_PRINT();
        QVERIFY(QFileInfo(sheet).size() > 0);
        QCOMPARE(m_f.boxes.count(), 1);
        QCOMPARE(m_f.boxes.last().text, QStringLiteral("RAP検討用紙を作成しました。"));
    }
};

QTEST_MAIN(TestPrintJourney)
#include "tst_printjourney.moc"

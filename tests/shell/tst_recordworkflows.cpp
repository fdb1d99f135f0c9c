#include "common/DateFormat.h"
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/RecordWorkflows.h"
#include "shell/WorkflowHost.h"
#include "support/ScriptedFinder.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace orv;

namespace {

const DateValue Aug17 = DateValue::fromDate(QDate(2005, 8, 17));
const DateValue Sep1 = DateValue::fromDate(QDate(2005, 9, 1));

// Records what the workflows ask of the windows, with the state at each step.
class RecordingHost : public WorkflowHost
{
public:
    explicit RecordingHost(AppState& state) : m_state(state) {}

    void showDateDialog(const QString& caption, const QString& label) override
    {
        calls << QStringLiteral("date:%1:%2").arg(caption, label);
        m_state.CurKijunbi = dialogDate;
    }
    void showEntryWindow(bool faceSheetJumps, bool sectionJumps) override
    {
        calls << QStringLiteral("show:%1%2").arg(int(faceSheetJumps)).arg(int(sectionJumps));
    }
    void navigateEntryPage(const QString& page) override
    {
        calls << QStringLiteral("navigate:%1:%2").arg(page).arg(int(m_state.NavPermit));
    }
    // NavPermit must hold while the page loads: the guard checks the program's own navigation.
    bool waitForEntryPage() override
    {
        calls << QStringLiteral("wait:%1").arg(int(m_state.NavPermit));
        if (!closeWhileLoading)
            return true;
        m_state.CurRs.reset(); // as the entry window does when it closes
        return false;
    }
    void loadEntryPage() override
    {
        const bool editing =
            m_state.CurRs && m_state.CurRs->editMode() == Recordset::EditMode::Edit;
        calls << QStringLiteral("load:%1:%2").arg(int(m_state.NavPermit)).arg(int(editing));
    }
    bool IsKonsui() override
    {
        calls << QStringLiteral("IsKonsui");
        return comatose;
    }
    void KonsuiMenu() override
    {
        calls << QStringLiteral("KonsuiMenu:%1").arg(int(m_state.KonsuiMode));
    }
    void RAP_SAM_SET(const DateValue& rapDate) override
    {
        calls << QStringLiteral("RAP_SAM_SET:%1").arg(DateFormat::ymd(rapDate));
    }

    DateValue dialogDate;
    bool comatose = false;
    bool closeWhileLoading = false;
    QStringList calls;

private:
    AppState& m_state;
};

} // namespace

class TestRecordWorkflows : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        test::TestDatabase file;
        AppState state;
        ScriptedMessageBox box;
        test::ScriptedFinder finder{state};
        RecordingHost host{state};
        RecordWorkflows flows{state, host};

        Fixture()
        {
            state.Db = file.open();
            state.msg = &box;
            state.finder = &finder;
        }
        int count(const QString& table, const QString& id)
        {
            auto rs = state.Db->openRecordset(
                QStringLiteral("SELECT * FROM %1 WHERE [ID]=?").arg(table), {id});
            return rs ? rs->recordCount() : -1;
        }
        Value value(const QString& table, const QString& id, const DateValue& date,
                    const QString& column)
        {
            auto rs = state.Db->openRecordset(
                QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?").arg(table),
                {id, date});
            return rs && !rs->eof() ? rs->value(column) : Value();
        }
        void addFaceSheet(const QString& id, const DateValue& date, const QVector<Value>& names,
                          const Value& born = Value())
        {
            auto rs = state.Db->openRecordset("KIHON1");
            rs->addNew();
            rs->setValue("ID", id);
            rs->setValue("基準日", date);
            static const char* const columns[] = {"1-1-1", "1-1-2", "1-1-3", "1-1-4"};
            for (int i = 0; i < names.size(); ++i)
                rs->setValue(columns[i], names[i]);
            rs->setValue("1-3-1", born);
            QVERIFY(rs->update());
        }
    };

private slots:
    void faceNewForANewId()
    {
        Fixture f;
        QVERIFY(f.file.ok());
        f.state.CurTable = "KIHON1";
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.flows.Face_new();

        QCOMPARE(f.finder.modes, QList<int>({0}));
        QCOMPARE(f.finder.newButtons, QList<bool>({true}));
        QCOMPARE(f.count("KIHON1", "R001"), 1);
        QCOMPARE(f.value("KIHON1", "R001", Aug17, "1-12").toText(), QString("2005/08/17"));
        QCOMPARE(f.value("KIHON1", "R001", Aug17, "1-1-1"), Value(""));
        QVERIFY(f.value("KIHON1", "R001", Aug17, "1-3-1").toDate().isZero());
        // The record is in edit mode before the page is filled.
        QCOMPARE(f.host.calls,
                 QStringList({"show:10", "navigate:KIHON1.HTM:1", "wait:1", "load:0:1"}));
        QCOMPARE(f.state.CurRs->name(),
                 QString("SELECT * FROM KIHON1 WHERE [ID]=? AND [基準日]=?"));
    }

    void faceNewCopiesTheFirstFaceSheet()
    {
        Fixture f;
        f.state.CurTable = "KIHON1";
        f.addFaceSheet("R001", Sep1, {"後", "太郎", "あと", "たろう"});
        f.addFaceSheet("R001", Aug17, {"山田", Value(), "やまだ", "はなこ"},
                       DateValue::fromDate(QDate(1930, 4, 1)));
        const DateValue oct1 = DateValue::fromDate(QDate(2005, 10, 1));
        f.finder.picks << qMakePair(QString("R001"), oct1);
        f.flows.Face_new();
        QCOMPARE(f.value("KIHON1", "R001", oct1, "1-1-1"), Value("山田"));
        QCOMPARE(f.value("KIHON1", "R001", oct1, "1-1-2"), Value(""));
        QCOMPARE(f.value("KIHON1", "R001", oct1, "1-1-4"), Value("はなこ"));
        QCOMPARE(f.value("KIHON1", "R001", oct1, "1-3-1").toDate().date(), QDate(1930, 4, 1));
    }

    void cancelledPicksWriteNothing()
    {
        Fixture f;
        f.state.CurTable = "KIHON1";
        f.flows.Face_new();
        f.flows.Face_EDIT();
        f.flows.Assessment_new();
        f.flows.Assessment_EDIT();
        f.flows.DRAG_new();
        f.flows.RAP_EDIT();
        f.flows.DRAG_EDIT();
        f.state.CurID.clear();
        f.flows.RAP_new();
        QCOMPARE(f.host.calls, QStringList());
        QCOMPARE(f.count("KIHON1", ""), 0);
        QCOMPARE(f.box.count(), 0);
    }

    void assessmentNewWritesAllEighteenRows()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "やまだ", "はなこ"});
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Sep1;
        f.flows.Assessment_new();
        for (const QChar letter : QString("ABCDEFGHIJKLMNOPQR"))
            QCOMPARE(f.count(QString(letter), "R001"), 1);
        QCOMPARE(f.value("A", "R001", Sep1, "A1-1"), Value("山田"));
        QCOMPARE(f.value("A", "R001", Sep1, "A1-4"), Value("はなこ"));
        QCOMPARE(f.value("A", "R001", Sep1, "A3"), Value("2005/09/01"));
        QCOMPARE(f.value("A", "R001", Sep1, "A5"), Value("R001"));
        QCOMPARE(f.host.calls,
                 QStringList({"date::", "show:01", "navigate:A.HTM:1", "wait:1", "load:0:0"}));
        QCOMPARE(f.state.CurRs->editMode(), Recordset::EditMode::Edit);
    }

    void assessmentNewRefusesTheSameDate()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17) << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Aug17;
        f.flows.Assessment_new();
        f.host.calls.clear();
        f.flows.Assessment_new();
        QCOMPARE(f.box.count(), 1);
        QCOMPARE(f.box.last().text, QString("既に、対象者[山田花子]、アセスメント基準日["
                                            "平成17年08月17日]のデータが登録されています"));
        QCOMPARE(f.box.last().style, 16);
        QCOMPARE(f.host.calls, QStringList({"date::"}));
        QCOMPARE(f.count("R", "R001"), 1);
        QCOMPARE(f.state.CurID, QString("R001"));
    }

    void assessmentNewStopsWhenTheDateDialogIsClosed()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.flows.Assessment_new();
        QCOMPARE(f.count("A", "R001"), 0);
        QCOMPARE(f.host.calls, QStringList({"date::"}));
    }

    void assessmentEditRefreshesNamesAndComa()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "やまだ", "はなこ"});
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Aug17;
        f.flows.Assessment_new();
        QVERIFY(f.state.Db->execute("UPDATE KIHON1 SET [1-1-1]='佐藤' WHERE [ID]='R001'"));
        f.state.CurRs.reset();

        f.host.calls.clear();
        f.host.comatose = true;
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.flows.Assessment_EDIT();
        QCOMPARE(f.finder.modes.last(), 1);
        QCOMPARE(f.value("A", "R001", Aug17, "A1-1"), Value("佐藤"));
        QVERIFY(f.state.KonsuiMode);
        QCOMPARE(f.host.calls, QStringList({"IsKonsui", "show:01", "KonsuiMenu:1",
                                            "navigate:A.HTM:1", "wait:1", "load:0:0"}));
    }

    void rapSummaryNewTakesTheRunsResidentAndTicks()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        // As the RAP run leaves it: the assessment's key.
        f.state.CurID = "R001";
        f.state.CurKijunbi = Aug17;
        f.host.dialogDate = Sep1;
        f.flows.RAP_new();
        QCOMPARE(f.finder.modes, QList<int>());
        QCOMPARE(f.value("S", "R001", Sep1, "S0-1"), Value("2005/09/01"));
        QCOMPARE(f.value("S", "R001", Sep1, "S0-2"), Value("山田花子"));
        QCOMPARE(f.host.calls, QStringList({"date:RAPサマリー 記入年月日指定:記入年月日",
                                            "RAP_SAM_SET:2005/08/17", "show:00", "navigate:S.HTM:1",
                                            "wait:1", "load:0:0"}));

        // A second summary on the same day is refused with the stored name.
        f.state.CurRs.reset();
        QVERIFY(f.state.Db->execute("UPDATE S SET [S0-2]='旧姓' WHERE [ID]='R001'"));
        f.state.CurKijunbi = Aug17;
        f.host.calls.clear();
        f.flows.RAP_new();
        QCOMPARE(f.box.last().text, QString("既に、対象者[旧姓]、アセスメント基準日["
                                            "平成17年09月01日]のデータが登録されています"));
        QCOMPARE(f.count("S", "R001"), 1);
    }

    void medicationSurveyNewAndEdit()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", Value(), "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Sep1;
        f.flows.DRAG_new();
        QCOMPARE(f.finder.modes, QList<int>({0}));
        QCOMPARE(f.host.calls.first(), QString("date:薬物治療調査票 記入年月日指定:記入年月日"));
        QCOMPARE(f.value("T", "R001", Sep1, "T0-2"), Value("山田"));
        QCOMPARE(f.value("T", "R001", Sep1, "T0-1"), Value("2005/09/01"));
        // The picked face sheet's date plays no part.
        QCOMPARE(f.count("T", "R001"), 1);
        QCOMPARE(f.value("T", "R001", Aug17, "ID"), Value());

        // Edit: the name follows the face sheet and is stored before the page opens.
        f.state.CurRs.reset();
        QVERIFY(f.state.Db->execute("UPDATE KIHON1 SET [1-1-1]=NULL WHERE [ID]='R001'"));
        f.finder.picks << qMakePair(QString("R001"), Sep1);
        f.host.calls.clear();
        f.flows.DRAG_EDIT();
        QCOMPARE(f.finder.modes.last(), 3);
        QVERIFY(f.value("T", "R001", Sep1, "T0-2").isNull());
        QCOMPARE(f.host.calls, QStringList({"show:00", "navigate:T.HTM:1", "wait:1", "load:0:0"}));
        QCOMPARE(f.state.CurRs->editMode(), Recordset::EditMode::Edit);
    }

    void faceEditOpensTheRecordAndEditsAfterThePage()
    {
        Fixture f;
        f.state.CurTable = "KIHON1";
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.flows.Face_EDIT();
        QCOMPARE(f.finder.modes, QList<int>({0}));
        QCOMPARE(f.finder.newButtons, QList<bool>({false}));
        QCOMPARE(f.host.calls,
                 QStringList({"show:10", "navigate:KIHON1.HTM:1", "wait:1", "load:0:0"}));
        QCOMPARE(f.state.CurRs->value("1-1-1"), Value("山田"));
        QCOMPARE(f.state.CurRs->editMode(), Recordset::EditMode::Edit);
        QCOMPARE(f.count("KIHON1", "R001"), 1);
    }

    void assessmentDuplicateWithANullNamePart()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", Value(), "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17) << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = DateValue::fromDate(QDate(2010, 3, 5));
        f.flows.Assessment_new();
        QVERIFY(f.value("A", "R001", f.host.dialogDate, "A1-2").isNull());
        f.state.CurRs.reset();
        f.flows.Assessment_new();
        QCOMPARE(f.box.last().text, QString("既に、対象者[山田]、アセスメント基準日["
                                            "平成22年03月05日]のデータが登録されています"));
        QCOMPARE(f.count("A", "R001"), 1);
    }

    // The eighteen rows are written together or not at all.
    void assessmentRowsAllOrNone()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        QVERIFY(f.state.Db->execute("DROP TABLE R"));
        f.finder.picks << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Sep1;
        f.flows.Assessment_new();
        QCOMPARE(f.box.count(), 1);
        QCOMPARE(f.box.last().style, 16);
        for (const QChar letter : QString("ABCDEFGHIJKLMNOPQ"))
            QCOMPARE(f.count(QString(letter), "R001"), 0);
        QCOMPARE(f.host.calls, QStringList({"date::"}));
        QVERIFY(!f.state.Db->inTransaction());
    }

    // IDs are bound, never spliced into the SQL: quotes of either kind simply work.
    void idsWithQuotes()
    {
        Fixture f;
        const QString id = QStringLiteral("O'Neil\"1");
        f.state.CurTable = "KIHON1";
        f.finder.picks << qMakePair(id, Aug17) << qMakePair(id, Aug17) << qMakePair(id, Aug17);
        f.flows.Face_new();
        QCOMPARE(f.count("KIHON1", id), 1);
        f.state.CurRs.reset();
        f.host.dialogDate = Sep1;
        f.flows.Assessment_new();
        QCOMPARE(f.value("A", id, Sep1, "A5"), Value(id));
        f.state.CurRs.reset();
        f.flows.DRAG_new();
        QCOMPARE(f.count("T", id), 1);
        QCOMPARE(f.box.count(), 0);
    }

    void rapSummaryNewWithTheDateDialogClosed()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.state.CurID = "R001";
        f.state.CurKijunbi = Aug17;
        f.flows.RAP_new();
        QCOMPARE(f.host.calls, QStringList({"date:RAPサマリー 記入年月日指定:記入年月日"}));
        QCOMPARE(f.count("S", "R001"), 0);
        QCOMPARE(f.box.count(), 0);
        QCOMPARE(f.state.CurID, QString("R001"));
        QVERIFY(f.state.CurKijunbi.isZero());
    }

    void rapSummaryEditRefreshesTheName()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.state.CurID = "R001";
        f.state.CurKijunbi = Aug17;
        f.host.dialogDate = Sep1;
        f.flows.RAP_new();
        f.state.CurRs.reset();
        QVERIFY(f.state.Db->execute("UPDATE KIHON1 SET [1-1-2]=NULL WHERE [ID]='R001'"));

        f.host.calls.clear();
        f.finder.picks << qMakePair(QString("R001"), Sep1);
        f.flows.RAP_EDIT();
        QCOMPARE(f.finder.modes, QList<int>({2}));
        QCOMPARE(f.value("S", "R001", Sep1, "S0-2"), Value("山田"));
        QCOMPARE(f.host.calls, QStringList({"show:00", "navigate:S.HTM:1", "wait:1", "load:0:0"}));
        QCOMPARE(f.state.CurKijunbi, Sep1);
    }

    // Both record kinds show the same text, "アセスメント基準日" included; a Null name adds
    // nothing.
    void medicationSurveyDuplicate()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {Value(), Value(), "", ""});
        f.finder.picks << qMakePair(QString("R001"), Aug17) << qMakePair(QString("R001"), Aug17);
        f.host.dialogDate = Sep1;
        f.flows.DRAG_new();
        QVERIFY(f.value("T", "R001", Sep1, "T0-2").isNull());
        f.state.CurRs.reset();
        f.flows.DRAG_new();
        QCOMPARE(f.box.count(), 1);
        QCOMPARE(f.box.last().text, QString("既に、対象者[]、アセスメント基準日["
                                            "平成17年09月01日]のデータが登録されています"));
        QCOMPARE(f.box.last().style, 16);
        QCOMPARE(f.count("T", "R001"), 1);
        QCOMPARE(f.state.CurKijunbi, Sep1);
    }

    // The user closes the entry window while the first page still loads: nothing is filled
    // and nothing touches the closed record.
    void entryWindowClosedWhileThePageLoads()
    {
        Fixture f;
        f.addFaceSheet("R001", Aug17, {"山田", "花子", "", ""});
        f.host.closeWhileLoading = true;
        f.host.dialogDate = Sep1;
        const auto pick = [&](const DateValue& date) {
            f.finder.picks << qMakePair(QString("R001"), date);
        };
        f.state.CurTable = "KIHON1";
        pick(Sep1);
        f.flows.Face_new();
        pick(Aug17);
        f.flows.Face_EDIT();
        f.state.CurTable = "A";
        pick(Aug17);
        f.flows.Assessment_new();
        pick(Sep1);
        f.flows.Assessment_EDIT();
        f.state.CurID = "R001";
        f.state.CurKijunbi = Aug17;
        f.flows.RAP_new();
        pick(Sep1);
        f.flows.RAP_EDIT();
        pick(Aug17);
        f.flows.DRAG_new();
        pick(Sep1);
        f.flows.DRAG_EDIT();
        QCOMPARE(f.host.calls.filter("wait:1").size(), 8);
        QCOMPARE(f.host.calls.filter("load:").size(), 0);
        QVERIFY(!f.state.CurRs);
        QVERIFY(!f.state.NavPermit);
        QCOMPARE(f.box.count(), 0);
    }

    // A record deleted elsewhere after it was picked: reported, no window, nothing written.
    void pickedRecordGoneMeanwhile()
    {
        Fixture f;
        f.state.CurTable = "KIHON1";
        f.finder.picks << qMakePair(QString("R009"), Aug17) << qMakePair(QString("R009"), Aug17);
        f.flows.Face_EDIT();
        f.flows.DRAG_EDIT();
        QCOMPARE(f.box.count(), 2);
        QCOMPARE(f.box.last().text,
                 QString("データベースの処理でエラーが発生しました。\nレコードが見つかりません。"));
        QCOMPARE(f.box.last().style, 16);
        QCOMPARE(f.host.calls, QStringList());
        QVERIFY(!f.state.CurRs);
        QCOMPARE(f.count("T", "R009"), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecordWorkflows)
#include "tst_recordworkflows.moc"

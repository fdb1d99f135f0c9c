#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "shell/MenuDispatcher.h"
#include "shell/MenuOperations.h"

#include <QTest>

using namespace orv;

namespace {

// Records each operation with the command state it found.
class RecordingOperations : public MenuOperations
{
public:
    explicit RecordingOperations(AppState& state) : m_state(state) {}

    QStringList calls;
    QStringList stateSeen;

    void AppQuit() override { record("AppQuit"); }
    void Face_new() override { record("Face_new"); }
    void Face_EDIT() override { record("Face_EDIT"); }
    void Assessment_new() override { record("Assessment_new"); }
    void Assessment_EDIT() override { record("Assessment_EDIT"); }
    void KonsuiMenu() override { record("KonsuiMenu"); }
    void RAP_new() override { record("RAP_new"); }
    void RAP_EDIT() override { record("RAP_EDIT"); }
    void DRAG_new() override { record("DRAG_new"); }
    void DRAG_EDIT() override { record("DRAG_EDIT"); }
    void Face_Print() override { record("Face_Print"); }
    void Assessment_PRINT() override { record("Assessment_PRINT"); }
    void SAM_PRINT() override { record("SAM_PRINT"); }
    void DRAG_PRINT() override { record("DRAG_PRINT"); }
    void RAP_PRINT() override { record("RAP_PRINT"); }
    void RAPL_PRINT() override { record("RAPL_PRINT"); }
    void KENTO_PRINT() override { record("KENTO_PRINT"); }
    void RAP_CREATE() override
    {
        record("RAP_CREATE");
        m_state.CurID.clear(); // a cancelled pick must not stop what follows
    }
    void unloadEntryWindow() override { record("unload frmOrv21"); }
    void showPdfPrint() override { record("show frmPDFPrint"); }

private:
    void record(const char* name)
    {
        calls << QString::fromLatin1(name);
        stateSeen << QStringLiteral("%1/%2/%3")
                         .arg(m_state.CurTable)
                         .arg(int(m_state.IsNewRecord))
                         .arg(int(m_state.KonsuiMode));
    }
    AppState& m_state;
};

struct Fixture
{
    AppState state;
    ScriptedMessageBox boxes;
    RecordingOperations operations{state};
    int clears = 0;
    MenuDispatcher dispatcher{state, operations, [this] {
                                  ++clears;
                                  operations.calls << QStringLiteral("clear status");
                              }};
    Fixture() { state.msg = &boxes; }
};

} // namespace

class TestMenuDispatcher : public QObject
{
    Q_OBJECT

private slots:
    void eachWordSetsStateThenActsInOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("startFlags");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("isNew");  // "1", "0" or "keep"
        QTest::addColumn<QString>("konsui"); // likewise
        QTest::addColumn<QString>("actions");

        struct Row
        {
            const char* word;
            const char* table;
            const char* isNew;
            const char* konsui;
            const char* actions;
        };
        const Row rows[] = {
            {"QUIT", "前の表", "keep", "keep", "AppQuit"},
            {"FACE_NEW", "KIHON1", "1", "0", "Face_new"},
            {"FACE_EDIT", "KIHON1", "0", "0", "Face_EDIT"},
            {"ASS_NEW", "A", "1", "0", "Assessment_new"},
            {"ASS_EDIT", "A", "0", "keep", "Assessment_EDIT"},
            {"SAM_NEW", "S", "1", "0", "RAP_CREATE,RAP_new"},
            {"SAM_EDIT", "S", "0", "0", "RAP_EDIT"},
            {"DRAG_NEW", "T", "1", "0", "DRAG_new"},
            {"DRAG_EDIT", "T", "0", "0", "DRAG_EDIT"},
            {"FACE_PRINT", "前の表", "keep", "keep", "unload frmOrv21,Face_Print"},
            {"ASS_PRINT", "前の表", "keep", "keep", "unload frmOrv21,Assessment_PRINT"},
            {"SAM_PRINT", "前の表", "keep", "keep", "unload frmOrv21,SAM_PRINT"},
            {"DRAG_PRINT", "前の表", "keep", "keep", "unload frmOrv21,DRAG_PRINT"},
            {"RAP_PRINT", "前の表", "keep", "keep", "unload frmOrv21,RAP_CREATE,RAP_PRINT"},
            {"RAPL_PRINT", "前の表", "keep", "keep", "unload frmOrv21,RAP_CREATE,RAPL_PRINT"},
            {"KENTO_PRINT", "前の表", "keep", "keep", "unload frmOrv21,RAP_CREATE,KENTO_PRINT"},
            {"PDF_PRINT", "前の表", "keep", "keep", "unload frmOrv21,show frmPDFPrint"},
        };
        for (const Row& row : rows) {
            for (bool start : {false, true}) {
                QTest::addRow("%s from %d", row.word, int(start))
                    << QStringLiteral("?") + QLatin1String(row.word) << start
                    << QString::fromUtf8(row.table) << row.isNew << row.konsui << row.actions;
            }
        }
        // Words are matched in upper case.
        QTest::newRow("ass_new in lower case")
            << QStringLiteral("?ass_new") << true << QStringLiteral("A") << "1"
            << "0"
            << "Assessment_new";
        QTest::newRow("Sam_New in mixed case")
            << QStringLiteral("?Sam_New") << false << QStringLiteral("S") << "1"
            << "0"
            << "RAP_CREATE,RAP_new";
        QTest::newRow("quit in lower case")
            << QStringLiteral("?quit") << true << QStringLiteral("前の表") << "keep"
            << "keep"
            << "AppQuit";
    }

    void eachWordSetsStateThenActsInOrder()
    {
        QFETCH(QString, text);
        QFETCH(bool, startFlags);
        QFETCH(QString, table);
        QFETCH(QString, isNew);
        QFETCH(QString, konsui);
        QFETCH(QString, actions);

        Fixture f;
        f.state.CurTable = QStringLiteral("前の表");
        f.state.IsNewRecord = startFlags;
        f.state.KonsuiMode = startFlags;
        f.state.CurID = QStringLiteral("0001");

        QVERIFY(f.dispatcher.WB_StatusTextChange(text));

        const bool expectedNew = isNew == QLatin1String("keep") ? startFlags : isNew == "1";
        const bool expectedKonsui = konsui == QLatin1String("keep") ? startFlags : konsui == "1";
        QCOMPARE(f.state.CurTable, table);
        QCOMPARE(f.state.IsNewRecord, expectedNew);
        QCOMPARE(f.state.KonsuiMode, expectedKonsui);
        // The status is cleared first, then the actions run in order.
        QCOMPARE(f.operations.calls,
                 QStringList{QStringLiteral("clear status")} + actions.split(QLatin1Char(',')));
        // The state was already set when the first action ran.
        const QString finalState =
            QStringLiteral("%1/%2/%3").arg(table).arg(int(expectedNew)).arg(int(expectedKonsui));
        QCOMPARE(f.operations.stateSeen.first(), finalState);
        QCOMPARE(f.boxes.count(), 0);
    }

    void otherWordsShowTheWordAsSent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expectedText");
        QTest::newRow("? alone") << QStringLiteral("?")
                                 << QStringLiteral("次のコマンドが発行されました\r\n");
        QTest::newRow("blank before") << QStringLiteral("? ASS_NEW")
                                      << QStringLiteral("次のコマンドが発行されました\r\n ASS_NEW");
        QTest::newRow("blank after") << QStringLiteral("?ASS_NEW ")
                                     << QStringLiteral("次のコマンドが発行されました\r\nASS_NEW ");
        QTest::newRow("mixed case kept")
            << QStringLiteral("?Hello_World")
            << QStringLiteral("次のコマンドが発行されました\r\nHello_World");
        QTest::newRow("Japanese word")
            << QStringLiteral("?終了") << QStringLiteral("次のコマンドが発行されました\r\n終了");
        QTest::newRow("second question mark")
            << QStringLiteral("??QUIT") << QStringLiteral("次のコマンドが発行されました\r\n?QUIT");
        QTest::newRow("full-width word")
            << QStringLiteral("?ＱＵＩＴ")
            << QStringLiteral("次のコマンドが発行されました\r\nＱＵＩＴ");
    }

    void otherWordsShowTheWordAsSent()
    {
        QFETCH(QString, text);
        QFETCH(QString, expectedText);
        Fixture f;
        f.state.CurTable = QStringLiteral("A");
        f.state.IsNewRecord = true;
        f.state.KonsuiMode = true;
        QVERIFY(f.dispatcher.WB_StatusTextChange(text));
        QCOMPARE(f.boxes.count(), 1);
        QCOMPARE(f.boxes.last().text, expectedText);
        QCOMPARE(f.boxes.last().style, 0);
        QCOMPARE(f.boxes.last().title, QStringLiteral("Orv2.1 施設ケア アセスメント表"));
        QCOMPARE(f.operations.calls, QStringList{QStringLiteral("clear status")});
        QCOMPARE(f.state.CurTable, QStringLiteral("A"));
        QVERIFY(f.state.IsNewRecord);
        QVERIFY(f.state.KonsuiMode);
    }

    void textsWithoutQuestionMarkChangeNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("word alone") << QStringLiteral("QUIT");
        QTest::newRow("entry-page jump") << QStringLiteral("#B|B.HTM");
        QTest::newRow("blank first") << QStringLiteral(" ?QUIT");
        QTest::newRow("full-width question mark") << QStringLiteral("？QUIT");
        QTest::newRow("link address") << QStringLiteral("file:///MainMenu/MainMenu.htm");
    }

    void textsWithoutQuestionMarkChangeNothing()
    {
        QFETCH(QString, text);
        Fixture f;
        QVERIFY(!f.dispatcher.WB_StatusTextChange(text));
        QCOMPARE(f.clears, 0);
        QVERIFY(f.operations.calls.isEmpty());
        QCOMPARE(f.boxes.count(), 0);
    }

    void printCommandsKeepTheNewRecordFlag()
    {
        Fixture f;
        f.dispatcher.WB_StatusTextChange(QStringLiteral("?FACE_NEW"));
        f.dispatcher.WB_StatusTextChange(QStringLiteral("?FACE_PRINT"));
        QVERIFY(f.state.IsNewRecord);
        QCOMPARE(f.state.CurTable, QStringLiteral("KIHON1"));
        QCOMPARE(f.clears, 2);
    }
};

QTEST_GUILESS_MAIN(TestMenuDispatcher)
#include "tst_menudispatcher.moc"

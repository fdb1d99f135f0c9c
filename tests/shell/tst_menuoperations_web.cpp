#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/WebBrowser.h"
#include "shell/frmMenu.h"
#include "shell/frmOrv21.h"
#include "support/HandledStatus.h"
#include "support/ModalWatchdog.h"
#include "support/ProgramFiles.h"
#include "support/ScriptedFinder.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QTest>

using namespace orv;

// The menu page's record commands reach the workflows and the entry window through the main
// window.
class TestMenuOperations : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_file = std::make_unique<test::TestDatabase>();
        QVERIFY2(m_file->ok(), qPrintable(m_file->error()));
        test::copyProgramFiles(m_file->folder());

        m_state = std::make_unique<AppState>();
        m_state->folder = ProgramFolder(m_file->folder());
        m_state->msg = &m_boxes;
        m_finder = std::make_unique<test::ScriptedFinder>(*m_state);
        m_state->finder = m_finder.get();
        const QString path = m_file->path();
        m_menu = std::make_unique<frmMenu>(*m_state, [path](AppState& state, QString* error) {
            state.Db = Database::open(path, error);
            return state.Db != nullptr;
        });
        QVERIFY(m_menu->Form_Load());
        m_menu->show();
        m_boxes.clear();
        m_watchdog = std::make_unique<test::ModalWatchdog>();
    }
    void cleanup()
    {
        m_menu.reset();
        m_state.reset();
        m_finder.reset();
        m_file.reset();
        ORV_VERIFY_MODALS_ANSWERED(*m_watchdog);
    }

    void aFaceSheetEditOpensTheEntryWindow()
    {
        const DateValue date = DateValue::fromDate(QDate(2024, 4, 1));
        QVERIFY(m_state->Db->execute(
            QStringLiteral("INSERT INTO [KIHON1] ([ID], [基準日], [1-1-1]) VALUES (?, ?, ?)"),
            {Value(QStringLiteral("0001")), Value(date), Value(QStringLiteral("山田"))}));
        m_finder->picks.enqueue({QStringLiteral("0001"), date});

        m_menu->WB()->runScript(QStringLiteral("window.status = '?face_edit'"));
        QTRY_VERIFY(m_menu->isEntryWindowLoaded() && m_menu->entryWindow()->isVisible());
        frmOrv21* entry = m_menu->entryWindow();
        QTRY_COMPARE(entry->WB()->readyState(), 4);
        QVERIFY(entry->WB()->url().toString().endsWith(QLatin1String("FORM/KIHON1.HTM")));
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(m_finder->modes, QList<int>{0});
        QCOMPARE(m_state->CurTable, QStringLiteral("KIHON1"));
        QVERIFY(m_state->CurRs);
        QVERIFY(!m_state->NavPermit);
        QCOMPARE(m_boxes.count(), 0);

        // A print command unloads the entry window first; the page is stored on the way.
        m_menu->dispatcher().WB_StatusTextChange(QStringLiteral("?FACE_PRINT"));
        QTRY_VERIFY(!m_menu->isEntryWindowLoaded());
        QCOMPARE(m_finder->modes, (QList<int>{0, 0}));
    }

    void aCancelledPickOpensNothing()
    {
        test::HandledStatus handled(m_menu->WB());
        m_menu->WB()->runScript(QStringLiteral("window.status = '?ASS_EDIT'"));
        QTRY_VERIFY(handled.contains(QStringLiteral("?ASS_EDIT")));
        QCOMPARE(m_finder->modes.size(), 1);
        QVERIFY(!m_menu->isEntryWindowLoaded());
        QVERIFY(m_menu->isVisible());
        QCOMPARE(m_boxes.count(), 0);
    }

    void theBlankFormsWindowOpensModeless()
    {
        m_menu->dispatcher().WB_StatusTextChange(QStringLiteral("?PDF_PRINT"));
        QWidget* forms = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmPDFPrint") && window->isVisible())
                forms = window;
        QVERIFY(forms);
        QVERIFY(!forms->isModal());
        QVERIFY(m_menu->isVisible());
        forms->close();
    }

private:
    std::unique_ptr<test::TestDatabase> m_file;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<test::ScriptedFinder> m_finder;
    ScriptedMessageBox m_boxes;
    std::unique_ptr<frmMenu> m_menu;
    std::unique_ptr<test::ModalWatchdog> m_watchdog;
};

QTEST_MAIN(TestMenuOperations)
#include "tst_menuoperations_web.moc"

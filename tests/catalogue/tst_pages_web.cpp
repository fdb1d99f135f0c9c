#include "shell/WebBrowser.h"

#include "TestPaths.h"

#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Catalogue.h"
#include "data/ComaMode.h"
#include "data/PageBinding.h"
#include "data/Recordset.h"
#include "shell/WebPageDocument.h"
#include "support/TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using namespace orv;

namespace {

QString formPage(const QString& page)
{
    return QStringLiteral(ORV_TEST_PROGRAM_DIR "/FORM/") + page;
}

// Clicks an element of the first form by name and returns what the page posted.
const char ClickScript[] = "document.forms[0].elements['%1'].click()";

} // namespace

// The generated pages in the real browser: the first form holds what the program binds, and
// every handler posts its command.
class TestPagesWeb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_browser = std::make_unique<WebBrowser>();
        m_browser->resize(1000, 700);
        m_browser->show();
    }
    void cleanupTestCase() { m_browser.reset(); }

    void firstFormHoldsEveryItem_data()
    {
        QTest::addColumn<QString>("page");
        for (const CatalogueSection& section : Catalogue::builtIn().sections())
            QTest::newRow(qPrintable(section.page)) << section.page;
    }
    void firstFormHoldsEveryItem()
    {
        QFETCH(QString, page);
        load(formPage(page));
        QCOMPARE(m_browser->runScript("document.forms.length").toInt(), 1);
        const QJsonArray elements =
            QJsonDocument::fromJson(
                m_browser
                    ->runScript("JSON.stringify(Array.from(document.forms[0].elements).map("
                                "function(e){ return [e.name, e.type, e.className]; }))")
                    .toString()
                    .toUtf8())
                .array();
        QStringList bound;
        for (const QJsonValue& element : elements) {
            const QJsonArray facts = element.toArray();
            const QString name = facts.at(0).toString();
            if (!name.startsWith(QLatin1String("orv"))) {
                QCOMPARE(facts.at(1).toString(), QStringLiteral("button"));
                continue;
            }
            bound.append(name);
            const CatalogueItem* item =
                Catalogue::builtIn().item(name.mid(4).replace(QLatin1Char('_'), QLatin1Char('-')));
            QVERIFY2(item, qPrintable(name));
            const QString type = facts.at(1).toString();
            switch (item->kind) {
            case ItemKind::Code:
                QCOMPARE(type, QStringLiteral("select-one"));
                break;
            case ItemKind::Check:
                QCOMPARE(type, QStringLiteral("checkbox"));
                break;
            case ItemKind::Memo:
                QCOMPARE(type, QStringLiteral("textarea"));
                break;
            default:
                QCOMPARE(type, QStringLiteral("text"));
            }
            QCOMPARE(facts.at(2).toString().toUpper() == QLatin1String("KONSUI"),
                     item->comaDependent);
        }
        const CatalogueSection* section = Catalogue::builtIn().section(page);
        QStringList expected;
        for (const CatalogueGroup& group : section->groups) {
            for (const CatalogueItem& item : group.items)
                expected.append(item.elementName());
        }
        QCOMPARE(bound, expected);
    }

    void comaItemPostsTheComaCommands()
    {
        load(formPage("B.HTM"));
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        const QString change =
            QStringLiteral("var e = document.forms[0].elements['orv_B1']; e.value = '%1';"
                           "e.dispatchEvent(new Event('change'));");
        m_browser->runScript(change.arg("1"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).toString(), QStringLiteral("$KONSUI"));
        m_browser->runScript(change.arg("0"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).toString(), QStringLiteral("$NOKONSUI"));
    }

    // The page's own fill ticks a check box for a column holding 1 and for nothing else, an
    // unanswered item (Null) included, whatever the box showed before; the save reads the
    // boxes back as 1 and 0.
    void checkBoxesShowTheirColumns()
    {
        test::TestDatabase file;
        QVERIFY2(file.ok(), qPrintable(file.error()));
        AppState state;
        ScriptedMessageBox msg;
        state.msg = &msg;
        state.Db = file.open();
        QVERIFY(state.Db);
        const QVector<Value> key{Value(QStringLiteral("C-001")),
                                 Value(DateValue::fromDate(QDate(2005, 8, 31)))};
        QVERIFY(state.Db->execute(QStringLiteral("INSERT INTO A ([ID], [基準日], [A6-a], [A6-b], "
                                                 "[A6-c]) VALUES (?, ?, NULL, 0, 1)"),
                                  key));
        state.CurRs = state.Db->openRecordset(
            QStringLiteral("SELECT * FROM A WHERE [ID]=? AND [基準日]=?"), key);
        QVERIFY(state.CurRs && !state.CurRs->eof());
        state.CurRs->edit();

        load(formPage("A.HTM"));
        const QString ticks =
            QStringLiteral("['orv_A6_a', 'orv_A6_b', 'orv_A6_c'].map(function (n) {"
                           " return document.forms[0].elements[n].checked ? 1 : 0; }).join(' ')");
        m_browser->runScript(QStringLiteral(
            "var f = document.forms[0]; f.orv_A6_a.checked = f.orv_A6_b.checked = true; 1"));
        QCOMPARE(m_browser->runScript(ticks).toString(), QStringLiteral("1 1 0"));
        WebPageDocument document(*m_browser);
        PageBinding binding(state, document);
        QVERIFY(binding.LoadPage());
        QCOMPARE(m_browser->runScript(ticks).toString(), QStringLiteral("0 0 1"));

        QVERIFY(binding.SavePage());
        QCOMPARE(msg.count(), 0);
        auto rs = state.Db->openRecordset(
            QStringLiteral("SELECT [A6-a], [A6-b], [A6-c] FROM A WHERE [ID]=?"), {key.first()});
        QVERIFY(rs && !rs->eof());
        QCOMPARE(rs->value(0), Value(0));
        QCOMPARE(rs->value(1), Value(0));
        QCOMPARE(rs->value(2), Value(1));
    }

    void buttonsPostTheirCommands_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("command");
        QTest::newRow("face sheet, next") << "KIHON1.HTM"
                                          << "cmdNextTop"
                                          << "#KIHON1|KIHON2.HTM";
        QTest::newRow("face sheet, back") << "KIHON2.HTM"
                                          << "cmdPrevBottom"
                                          << "#KIHON1|KIHON1.HTM";
        QTest::newRow("birth date") << "KIHON1.HTM"
                                    << "cmdDate_1_3_1"
                                    << "!orv_1_3_1|yyyy/mm/dd||orv_1_3_2";
        QTest::newRow("B, next") << "B.HTM"
                                 << "cmdNextBottom"
                                 << "#C|C.HTM";
        QTest::newRow("R, close") << "R.HTM"
                                  << "cmdCloseTop"
                                  << "#R";
        QTest::newRow("RAP summary date") << "S.HTM"
                                          << "cmdDate_S0_1"
                                          << "!orv_S0_1|yyyy/mm/dd||";
        QTest::newRow("main menu") << "../MainMenu/MainMenuFr.htm"
                                   << "cmdKENTO_PRINT"
                                   << "?KENTO_PRINT";
    }
    void buttonsPostTheirCommands()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QString, command);
        load(formPage(page));
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        m_browser->runScript(QString::fromLatin1(ClickScript).arg(button));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0).toString(), command);
    }

    // Keyboard alone: Alt and the letter its caption shows presses a page button.
    void accessKeysPressTheButtons_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("command");
        QTest::newRow("next") << "B.HTM" << int(Qt::Key_N) << "#C|C.HTM";
        QTest::newRow("previous") << "B.HTM" << int(Qt::Key_P) << "#A|A.HTM";
        QTest::newRow("save and close") << "T.HTM" << int(Qt::Key_S) << "#T";
    }
    void accessKeysPressTheButtons()
    {
        QFETCH(QString, page);
        QFETCH(int, key);
        QFETCH(QString, command);
        load(formPage(page));
        QCOMPARE(pressAlt(key), command);
    }

    // The coma display writes the jump buttons anew, both ways: Alt and the letter still
    // press them, now towards the page of the state, what else the user relies on stays, and
    // the tip names the page the button goes to.
    void accessKeysAfterTheComaSwitch_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("comaCommand");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("comaTitle");
        QTest::newRow("B, next") << "B.HTM"
                                 << "cmdNextTop" << int(Qt::Key_N) << "#G|G.htm"
                                 << "#C|C.htm"
                                 << "G.身体機能と機能問題";
        QTest::newRow("G, previous") << "G.HTM"
                                     << "cmdPrevTop" << int(Qt::Key_P) << "#B|B.htm"
                                     << "#F|F.htm"
                                     << "B.認知";
    }
    void accessKeysAfterTheComaSwitch()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, comaCommand);
        QFETCH(QString, command);
        QFETCH(QString, comaTitle);
        load(formPage(page));
        const QString facts =
            QStringLiteral("(function (e) { return [e.accessKey, e.tabIndex, e.disabled]"
                           ".join('|'); })(document.forms[0].elements['%1'])")
                .arg(button);
        const QString title = QStringLiteral("document.forms[0].elements['%1'].title").arg(button);
        m_browser->runScript(
            QStringLiteral("document.forms[0].elements['%1'].tabIndex = 7; 1").arg(button));
        const QString before = m_browser->runScript(facts).toString();
        const QString titleBefore = m_browser->runScript(title).toString();
        QVERIFY(before.startsWith(QString(QChar(key)).toLower() + QLatin1Char('|')));
        WebPageDocument document(*m_browser);
        for (const bool comatose : {true, false}) {
            QVERIFY(ComaMode::DispKonsui(document, comatose));
            QCOMPARE(m_browser->runScript(facts).toString(), before);
            QCOMPARE(m_browser->runScript(title).toString(), comatose ? comaTitle : titleBefore);
            QCOMPARE(pressAlt(key), comatose ? comaCommand : command);
        }
    }

private:
    void load(const QString& path)
    {
        m_browser->navigate(path);
        m_browser->waitUntilComplete();
    }

    // Alt and the key pressed in the page; the command the page then posts, if it posts one.
    QString pressAlt(int key)
    {
        m_browser->activateWindow();
        QWidget* target = m_browser->focusProxy() ? m_browser->focusProxy() : m_browser.get();
        target->setFocus();
        QSignalSpy spy(m_browser.get(), &WebBrowser::statusTextChanged);
        QTest::keyClick(target, Qt::Key(key), Qt::AltModifier);
        return QTest::qWaitFor([&spy] { return !spy.isEmpty(); }) ? spy.first().at(0).toString()
                                                                  : QString();
    }

    std::unique_ptr<WebBrowser> m_browser;
};

QTEST_MAIN(TestPagesWeb)
#include "tst_pages_web.moc"

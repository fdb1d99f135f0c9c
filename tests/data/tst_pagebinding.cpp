#include "support/EntryFixture.h"
#include "data/Database.h"
#include "data/PageBinding.h"
#include "data/Recordset.h"
#include "data/StoreText.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

Q_DECLARE_METATYPE(orv::Value)

namespace {

// Answers OK and notes which input of the page had the focus as the message showed.
class FocusAtMessage : public MessageBoxService
{
public:
    explicit FocusAtMessage(const MemoryPageDocument& page) : m_page(page) {}
    int show(const QString&, int, const QString&) override
    {
        const int index = m_page.focusedIndex();
        focused << (index < 0 ? QString() : m_page.elements().at(index).name);
        return AnswerOk;
    }
    QStringList focused;

private:
    const MemoryPageDocument& m_page;
};

} // namespace

class TestPageBinding : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntryFixture> f;
    std::unique_ptr<PageBinding> binding;

    void prepare()
    {
        f = std::make_unique<EntryFixture>();
        QString error;
        QVERIFY2(f->openWithAssessment(&error), qPrintable(error));
        binding = std::make_unique<PageBinding>(f->state, f->page, &f->host);
    }

private slots:
    void init() { prepare(); }

    void stopsAtTheFirstRefusedElement()
    {
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("text"), QStringLiteral("5"));
        f->page.add(QStringLiteral("orv_A5"), QStringLiteral("text"), QStringLiteral("x"));
        f->page.add(QStringLiteral("orv_A1_1"), QStringLiteral("text"), QStringLiteral("山田"));
        f->state.NextPage = QStringLiteral("B.HTM");

        QVERIFY(!binding->SavePage());
        QCOMPARE(f->msg.texts(), QStringList{QStringLiteral(
                                     "数値を入力する項目で、数字以外の文字が入力されています。")});
        QCOMPARE(f->msg.last().style, 16);
        // focused before its message, as after it, and painted
        QCOMPARE(f->page.changeLog(),
                 (QStringList{QStringLiteral("focus orv_A5"), QStringLiteral("focus orv_A5"),
                              QStringLiteral("backgroundColor orv_A5 #ff0000")}));
        // the first is in the edit buffer, the third was never read, nothing is committed
        QCOMPARE(f->state.CurRs->value(QStringLiteral("A2")), Value(5));
        QVERIFY(f->state.CurRs->value(QStringLiteral("A1-1")).isNull());
        QVERIFY(f->stored(QStringLiteral("A"), QStringLiteral("A2"), f->id, f->date).isNull());
        QCOMPARE(f->state.NextPage, QStringLiteral("B.HTM"));
        QVERIFY(f->host.calls.isEmpty());
    }

    // The key that stored the page may have left the focus far from the refused input: the
    // message shows with that input focused, and so in view.
    void refusedInputIsFocusedWhileItsMessageShows()
    {
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("text"), QStringLiteral("5"));
        f->page.add(QStringLiteral("orv_A5"), QStringLiteral("text"), QStringLiteral("x"));
        f->page.add(QStringLiteral("cmdNext"), QStringLiteral("button"));
        QVERIFY(f->page.apply({ElementChange::focus(2)}));
        FocusAtMessage probe(f->page);
        f->state.msg = &probe;
        QVERIFY(!binding->SavePage());
        QCOMPARE(probe.focused, QStringList{QStringLiteral("orv_A5")});
    }

    void numbers_data()
    {
        const QString letters =
            QStringLiteral("数値を入力する項目で、数字以外の文字が入力されています。");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Value>("storedValue");
        QTest::addColumn<QString>("message"); // empty when the value is taken
        QTest::newRow("全角数字") << QStringLiteral("１２") << Value(12) << QString();
        QTest::newRow("小数") << QStringLiteral("1.5") << Value(1.5) << QString();
        // every digit, as many as the page's number box takes
        QTest::newRow("2から9") << QStringLiteral("98765432") << Value(98765432) << QString();
        QTest::newRow("0と1") << QStringLiteral("0.19") << Value(0.19) << QString();
        QTest::newRow("全角の0と9") << QStringLiteral("１０９") << Value(109) << QString();
        QTest::newRow("空欄") << QString() << Value() << QString();
        QTest::newRow("二つ目の小数点")
            << QStringLiteral("1.2.3") << Value()
            << QStringLiteral("数値を入力する項目で、小数点が複数入力されています。");
        QTest::newRow("小数点と文字") << QStringLiteral("1.2.x") << Value() << letters;
        QTest::newRow("負号") << QStringLiteral("-1") << Value() << letters;
        QTest::newRow("桁区切り") << QStringLiteral("1,000") << Value() << letters;
        QTest::newRow("かな") << QStringLiteral("いち") << Value() << letters;
    }

    void numbers()
    {
        QFETCH(QString, typed);
        QFETCH(Value, storedValue);
        QFETCH(QString, message);
        f->page.add(QStringLiteral("orv_A7"), QStringLiteral("text"), typed);
        QCOMPARE(binding->SavePage(), message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(f->stored(QStringLiteral("A"), QStringLiteral("A7"), f->id, f->date),
                     storedValue);
            QCOMPARE(f->msg.count(), 0);
        } else {
            QCOMPARE(f->msg.texts(), QStringList{message});
            QCOMPARE(f->page.element(QStringLiteral("orv_A7")).backgroundColor,
                     QStringLiteral("#ff0000"));
        }
    }

    void dates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QDate>("storedDate");
        QTest::newRow("点区切り") << QStringLiteral("2005.08.17") << true << QDate(2005, 8, 17);
        QTest::newRow("全角の点区切り")
            << QStringLiteral("２００５．０８．１７") << true << QDate(2005, 8, 17);
        QTest::newRow("和暦") << QStringLiteral("平成17年8月17日") << true << QDate(2005, 8, 17);
        QTest::newRow("元号の略字") << QStringLiteral("H17.8.17") << true << QDate(2005, 8, 17);
        QTest::newRow("二桁の年") << QStringLiteral("05.08.17") << true << QDate(2005, 8, 17);
        QTest::newRow("昭和64年1月8日") << QStringLiteral("S64.1.8") << false << QDate();
        QTest::newRow("空欄") << QString() << true << QDate();
        QTest::newRow("13月") << QStringLiteral("2005/13/01") << false << QDate();
        QTest::newRow("文字") << QStringLiteral("きのう") << false << QDate();
    }

    void dates()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QDate, storedDate);
        f->page.add(QStringLiteral("orv_A8"), QStringLiteral("text"), typed);
        QCOMPARE(binding->SavePage(), accepted);
        const Value value = f->stored(QStringLiteral("A"), QStringLiteral("A8"), f->id, f->date);
        if (!accepted) {
            QCOMPARE(f->msg.last().text,
                     QStringLiteral(
                         "日付または時間を入力する項目で、正しく入力していないところがあります"));
            QVERIFY(f->page.element(QStringLiteral("orv_A8")).focused);
        } else if (storedDate.isValid()) {
            QCOMPARE(value.toDate().date(), storedDate);
            QCOMPARE(f->page.element(QStringLiteral("orv_A8")).backgroundColor,
                     QStringLiteral("#ffffff"));
        } else {
            QVERIFY(value.isNull());
        }
    }

    // Text is counted as the store counts it, in UTF-16 units, and a character the store cannot
    // keep as typed is refused, never stored as "?".
    void texts_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty when stored as typed
        const QString tooLong = "文字数が多すぎます。5文字以内で入力してください。";
        const QString lone = QString(QChar(0xD842));
        QTest::newRow("size") << "orv_A1_1"
                              << "あいうえお"
                              << "";
        QTest::newRow("one over") << "orv_A1_1"
                                  << "あいうえおか" << tooLong;
        QTest::newRow("pair fits") << "orv_A1_1"
                                   << "あいう𠮷"
                                   << "";
        QTest::newRow("pair counts two")
            << "orv_A1_1"
            << "あいうえ𠮷"
            << tooLong +
                   "\n𠮷などの一部の文字は、1文字で2文字分と数えます（入力された文字数：6）。";
        QTest::newRow("lone surrogate") << "orv_A1_1"
                                        << "山" + lone << StoreText::UnstorableCharacter;
        QTest::newRow("lone surrogate in a memo")
            << "orv_A6" << lone + "田" << StoreText::UnstorableCharacter;
        QTest::newRow("memo with a pair") << "orv_A6"
                                          << "𠮷野家"
                                          << "";
    }

    void texts()
    {
        QFETCH(QString, element);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        f->page.add(element, QStringLiteral("text"), typed);
        QCOMPARE(binding->SavePage(), message.isEmpty());
        const QString col = PageBinding::columnOfElement(element);
        const Value stored = f->stored(QStringLiteral("A"), col, f->id, f->date);
        if (message.isEmpty()) {
            QCOMPARE(stored, Value(typed));
            QCOMPARE(f->msg.count(), 0);
        } else {
            QVERIFY(stored.isNull());
            QCOMPARE(f->msg.texts(), QStringList{message});
            QCOMPARE(f->page.element(element).backgroundColor, QStringLiteral("#ff0000"));
            QVERIFY(f->page.element(element).focused);
        }
    }

    void emptyTextStaysEmptyText()
    {
        f->page.add(QStringLiteral("orv_A3"), QStringLiteral("hidden"), QString());
        QVERIFY(binding->SavePage());
        const Value value = f->stored(QStringLiteral("A"), QStringLiteral("A3"), f->id, f->date);
        QVERIFY(!value.isNull());
        QCOMPARE(value.toText(), QString());
    }

    void checkBoxes_data()
    {
        QTest::addColumn<Value>("column");
        QTest::addColumn<bool>("checked");
        QTest::newRow("1") << Value(1) << true;
        QTest::newRow("0") << Value(0) << false;
        QTest::newRow("Null") << Value() << false;
    }

    void checkBoxes()
    {
        QFETCH(Value, column);
        QFETCH(bool, checked);
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE A SET [A5]=?"), {column}));
        QVERIFY(f->openRow(QStringLiteral("A")));
        f->page.add(QStringLiteral("orv_A5"), QStringLiteral("checkbox")).checked = !checked;
        QVERIFY(binding->LoadPage());
        QCOMPARE(f->page.element(QStringLiteral("orv_A5")).checked, checked);

        // storing gives the number back: 1 or 0, never Null
        QVERIFY(binding->SavePage());
        QCOMPARE(f->stored(QStringLiteral("A"), QStringLiteral("A5"), f->id, f->date),
                 Value(checked ? 1 : 0));
    }

    void loadPageIsOneReadAndOneWrite()
    {
        QVERIFY(f->state.Db->execute(
            QStringLiteral("UPDATE A SET [A1-1]='佐藤', [A2]=42, [A4]=?, [A8]=?"),
            {Value(DateValue::fromDate(QDate(2005, 8, 17))),
             Value(DateValue::fromDate(QDate(2005, 8, 17)))}));
        QVERIFY(f->openRow(QStringLiteral("A")));
        f->page.add(QStringLiteral("orv_A1_1"), QStringLiteral("text"));
        f->page.add(QStringLiteral("ORV_A2"), QStringLiteral("text"), QStringLiteral("untouched"));
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("select-one"));
        f->page.add(QStringLiteral("orv_A4"), QStringLiteral("textarea"));
        f->page.add(QStringLiteral("orv_A8"), QStringLiteral("text"));
        f->page.add(QStringLiteral("next"), QStringLiteral("button"), QStringLiteral("次へ"));
        f->page.clearLog();
        QVERIFY(binding->LoadPage());
        QCOMPARE(f->page.readCount(), 1);
        QCOMPARE(f->page.applyCount(), 1);
        QCOMPARE(f->page.element(QStringLiteral("orv_A1_1")).value, QStringLiteral("佐藤"));
        QCOMPARE(f->page.element(QStringLiteral("ORV_A2")).value, QStringLiteral("untouched"));
        QCOMPARE(f->page.element(QStringLiteral("orv_A2")).value, QStringLiteral("42"));
        QCOMPARE(f->page.element(QStringLiteral("orv_A4")).value, QStringLiteral("2005/08/17"));
        QCOMPARE(f->page.element(QStringLiteral("orv_A8")).value, QStringLiteral("2005/08/17"));
    }

    void zeroDateWithAFormatIsEmpty()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE A SET [A4]=?, [A8]=?"),
                                     {Value(DateValue::zero()), Value(DateValue::zero())}));
        QVERIFY(f->openRow(QStringLiteral("A")));
        QCOMPARE(binding->GetFieldText(QStringLiteral("A4")), QString());
        QVERIFY(!binding->GetFieldText(QStringLiteral("A8")).isEmpty());
    }

    void formatPropertyInAnyCase()
    {
        QVERIFY(f->openRow(QStringLiteral("KIHON1")));
        const Recordset& rs = *f->state.CurRs;
        QCOMPARE(PageBinding::GetFormatProperty(rs.column(rs.columnIndex(QStringLiteral("1-3-1")))),
                 QStringLiteral("ggge年mm月dd日"));
        QCOMPARE(PageBinding::GetFormatProperty(rs.column(rs.columnIndex(QStringLiteral("1-1-1")))),
                 QString());
    }

    void unknownTypeStoresEmpty()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE A SET [A2]=7")));
        QVERIFY(f->openRow(QStringLiteral("A")));
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("radio"), QStringLiteral("3"));
        QVERIFY(binding->SavePage());
        QCOMPARE(f->msg.last().text, QStringLiteral("知らないType:radio"));
        QCOMPARE(f->msg.last().style, 0);
        QVERIFY(f->stored(QStringLiteral("A"), QStringLiteral("A2"), f->id, f->date).isNull());
    }

    // A column of a type the pages do not edit takes nothing from its input, whatever it holds.
    void otherColumnTypesTakeNothing_data()
    {
        QTest::addColumn<QString>("declared");
        for (const char* declared : {"YESNO", "CURRENCY", "DOUBLE"})
            QTest::newRow(declared) << QString::fromLatin1(declared);
    }

    void otherColumnTypesTakeNothing()
    {
        QFETCH(QString, declared);
        QVERIFY(f->state.Db->execute(
            QStringLiteral("ALTER TABLE G ADD COLUMN [G-2] %1").arg(declared)));
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE G SET [G-2]=1")));
        QVERIFY(f->openRow(QStringLiteral("G")));
        f->page.add(QStringLiteral("orv_G_2"), QStringLiteral("text"), QStringLiteral("12"));
        QVERIFY(binding->SavePage());
        QCOMPARE(f->msg.count(), 0);
        QVERIFY(f->stored(QStringLiteral("G"), QStringLiteral("G-2"), f->id, f->date).isNull());
    }

    void boundNamesAndPages_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("column");
        QTest::newRow("section") << QStringLiteral("orv_A1_1") << QStringLiteral("A1-1");
        QTest::newRow("face sheet") << QStringLiteral("orv_1_1_1") << QStringLiteral("1-1-1");
        QTest::newRow("upper case") << QStringLiteral("ORV_A1_1") << QString();
        QTest::newRow("mixed case") << QStringLiteral("Orv_A1_1") << QString();
    }

    void boundNamesAndPages()
    {
        QFETCH(QString, element);
        QFETCH(QString, column);
        QCOMPARE(PageBinding::columnOfElement(element), column);
        QCOMPARE(PageBinding::tableOfPage(QStringLiteral("KIHON2.HTM")), QStringLiteral("KIHON1"));
        QCOMPARE(PageBinding::tableOfPage(QStringLiteral("kihon1.htm")), QStringLiteral("KIHON1"));
        QCOMPARE(PageBinding::tableOfPage(QStringLiteral("R.HTM")), QStringLiteral("R"));
    }

    void nextPageOpensItsRow()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE KIHON1 SET [1-1-1]='山田'")));
        f->page.add(QStringLiteral("orv_A2"), QStringLiteral("text"), QStringLiteral("3"));
        f->host.onNavigate = [this](const QString&) {
            f->page.setElements({});
            f->page.add(QStringLiteral("orv_1_1_1"), QStringLiteral("text"));
        };
        f->state.NextPage = QStringLiteral("KIHON2.HTM");
        f->state.KonsuiMode = true;
        QVERIFY(binding->SavePage());

        QCOMPARE(f->stored(QStringLiteral("A"), QStringLiteral("A2"), f->id, f->date), Value(3));
        QCOMPARE(f->host.calls, (QStringList{QStringLiteral("navigate FORM/KIHON2.HTM"),
                                             QStringLiteral("DispKonsui 1")}));
        QVERIFY(f->host.navPermitSeen);
        QVERIFY(!f->state.NavPermit);
        QVERIFY(f->state.NextPage.isEmpty());
        QVERIFY(f->state.CurRs->name().contains(QStringLiteral("KIHON1")));
        QCOMPARE(f->state.CurRs->editMode(), Recordset::EditMode::Edit);
        QCOMPARE(f->page.element(QStringLiteral("orv_1_1_1")).value, QStringLiteral("山田"));
    }

    // A move made while the next page loads (a double click, a menu item) would store the
    // unfilled inputs over the row it has just opened.
    void noStoreWhileTheNextPageLoads()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("UPDATE B SET [B2]='あり'")));
        bool nested = true;
        f->host.onNavigate = [&](const QString&) {
            f->page.setElements({});
            f->page.add(QStringLiteral("orv_B2"), QStringLiteral("text"));
            f->state.NextPage.clear();
            nested = binding->SavePage();
            f->state.NextPage = QStringLiteral("B.HTM");
        };
        f->state.NextPage = QStringLiteral("B.HTM");
        QVERIFY(binding->SavePage());
        QVERIFY(!nested);
        QVERIFY(!f->host.calls.contains(QStringLiteral("unload")));
        QCOMPARE(f->stored(QStringLiteral("B"), QStringLiteral("B2"), f->id, f->date),
                 Value(QStringLiteral("あり")));
        QCOMPARE(f->page.element(QStringLiteral("orv_B2")).value, QStringLiteral("あり"));
        // once filled, the page stores again
        f->host.onNavigate = nullptr;
        QVERIFY(binding->SavePage());
        QVERIFY(f->host.calls.contains(QStringLiteral("unload")));
    }

    void missingNextRowKeepsThePage()
    {
        QVERIFY(f->state.Db->execute(QStringLiteral("DELETE FROM R")));
        f->state.NextPage = QStringLiteral("R.HTM");
        QVERIFY(!binding->SavePage());
        QVERIFY(f->host.calls.isEmpty());
        QCOMPARE(f->state.CurRs->editMode(), Recordset::EditMode::Edit);
        QCOMPARE(f->msg.last().style, 16);
    }

    void emptyNextPageClosesTheWindow()
    {
        f->page.add(QStringLiteral("orv_A6"), QStringLiteral("textarea"),
                    QStringLiteral("長い文章"));
        QVERIFY(binding->SavePage());
        QCOMPARE(f->host.calls, QStringList{QStringLiteral("unload")});
        QVERIFY(f->state.SkipSave);
        QVERIFY(!f->state.CurRs);
        QCOMPARE(f->stored(QStringLiteral("A"), QStringLiteral("A6"), f->id, f->date),
                 Value(QStringLiteral("長い文章")));
    }

    void refusedCommitShowsTwoBoxes()
    {
        f->page.add(QStringLiteral("orv_A9"), QStringLiteral("text"), QStringLiteral("NG"));
        f->state.NextPage = QStringLiteral("B.HTM");
        QVERIFY(!binding->SavePage());
        QCOMPARE(f->msg.count(), 2);
        QCOMPARE(f->msg.shown().at(0).text, QStringLiteral("登録時にエラーが発生しました"));
        QCOMPARE(f->msg.shown().at(0).style, 16);
        QCOMPARE(f->msg.shown().at(1).style, 48);
        QCOMPARE(f->msg.shown().at(1).title, QStringLiteral("DEBUG"));
        QVERIFY(!f->msg.shown().at(1).text.isEmpty());
        QVERIFY(f->host.calls.isEmpty());
        QCOMPARE(f->state.NextPage, QStringLiteral("B.HTM"));
    }

    void unreadablePageIsReported()
    {
        f->page.setFailing(true);
        QVERIFY(!binding->SavePage());
        QCOMPARE(f->msg.count(), 1);
        QVERIFY(f->state.CurRs);
    }
};

QTEST_GUILESS_MAIN(TestPageBinding)
#include "tst_pagebinding.moc"

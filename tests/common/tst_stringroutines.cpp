#include "common/ScriptedMessageBox.h"
#include "common/StringRoutines.h"
#include "common/Value.h"

#include <QtTest>

using namespace orv;

class TestStringRoutines : public QObject
{
    Q_OBJECT

private slots:
    void piece2_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("second") << "a,b,c" << 2 << "b";
        QTest::newRow("past the end") << "a,b,c" << 4 << "";
        QTest::newRow("no separator, first") << "abc" << 1 << "abc";
        QTest::newRow("no separator, second") << "abc" << 2 << "";
        QTest::newRow("empty middle") << "a,,c" << 2 << "";
        QTest::newRow("empty last") << "a,b," << 3 << "";
        QTest::newRow("empty first") << ",b" << 1 << "";
        QTest::newRow("third") << "a,b,c" << 3 << "c";
        QTest::newRow("japanese") << "せん妄,認知,視覚" << 2 << "認知";
    }
    void piece2()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, expected);
        ScriptedMessageBox box;
        QCOMPARE(Piece2(text, n, ",", &box), expected);
        QCOMPARE(box.count(), 0);
    }

    void piece2WarnsOncePerCallForQuotedField()
    {
        ScriptedMessageBox box;
        QCOMPARE(Piece2("\"x y\",b", 1, ",", &box), QString("\"x y\""));
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.last().title, QString("Piece2"));
        QCOMPARE(box.last().style, int(StyleExclamation));
        QVERIFY(box.last().text.startsWith("このデータはダブルクォーティーションで囲まれています。\r"));
        QCOMPARE(Piece2("\"", 1, ",", &box), QString("\""));
        QCOMPARE(box.count(), 2);
    }

    void piece2ArgumentWarnings()
    {
        ScriptedMessageBox box;
        Piece2("a,b", 1, ",,", &box);
        QCOMPARE(box.last().title, QString("引数のｴﾗｰ"));
        QCOMPARE(box.last().text, QString("Piece2ﾕｰｻﾞｰ関数: 区切り文字は1文字で指定してく出さい"));
        box.clear();
        Piece2("a,b", 0, ",", &box);
        QCOMPARE(box.last().text, QString("Piece2ﾕｰｻﾞｰ関数: 何個めかは、1以上を指定して下さい"));
        box.clear();
        // An empty text returns before the field number is looked at.
        QCOMPARE(Piece2("", 0, ",", &box), QString());
        QCOMPARE(box.count(), 0);
    }

    void pieceCnt()
    {
        ScriptedMessageBox box;
        QCOMPARE(PieceCnt("a,b,c", ",", &box), 2);
        QCOMPARE(PieceCnt("", ",", &box), 0);
        QCOMPARE(PieceCnt("01,05a,17", ",", &box), 2);
        QCOMPARE(box.count(), 0);
        PieceCnt("a", "", &box);
        QCOMPARE(box.last().text, QString("PieceCntﾕｰｻﾞｰ関数: 区切り文字は1文字で指定してく出さい"));
        QCOMPARE(box.last().title, QString("引数のｴﾗｰ"));
    }

    void strRep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no overlap") << "aaaa" << "aa" << "b" << "bb";
        QTest::newRow("no re-search") << "aa" << "a" << "aa" << "aaaa";
        QTest::newRow("none") << "abc" << "x" << "y" << "abc";
        QTest::newRow("placeholder twice") << "∈利用者名∋様 ∈利用者名∋" << "∈利用者名∋" << "山田" << "山田様 山田";
        QTest::newRow("case") << "Aa" << "a" << "b" << "Ab";
    }
    void strRep()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QCOMPARE(StrRep(text, search, replacement), expected);
    }

    void strRepWarnsOnEmptySearch()
    {
        ScriptedMessageBox box;
        QCOMPARE(StrRep("abc", "", "x", &box), QString());
        QCOMPARE(box.last().title, QString("引数ｴﾗｰ"));
        QCOMPARE(box.last().text, QString("StrRepﾕｰｻﾞｰ関数: 検索文字列がありません"));
        box.clear();
        QCOMPARE(StrRep("", "", "x", &box), QString());
        QCOMPARE(box.count(), 0);
    }

    void nullToStr()
    {
        QCOMPARE(NullToStr(Value()), QString());
        QCOMPARE(NullToStr(Value(12)), QString("12"));
        QCOMPARE(NullToStr(Value(1.5)), QString("1.5"));
        QCOMPARE(NullToStr(Value(12.0)), QString("12"));
        QCOMPARE(NullToStr(Value("山田")), QString("山田"));
    }
};

QTEST_GUILESS_MAIN(TestStringRoutines)
#include "tst_stringroutines.moc"

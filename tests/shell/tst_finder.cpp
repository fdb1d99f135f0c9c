#include "DialogsFixture.h"
#include "TextFit.h"
#include "shell/QtRecordFinder.h"
#include "shell/frmDBFind2.h"
#include "support/ModalWatchdog.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace orv;
using test::DialogsFixture;

namespace {

const QString Yamada = QStringLiteral("100");
const QString Sato = QStringLiteral("200");
const QString Quoted = QStringLiteral("O'B\"1");

// A finder shown modeless, so that a test can drive it and look at it afterwards.
class OpenFinder
{
public:
    OpenFinder(AppState& state, int mode) : finder(state)
    {
        finder.ModeSet(mode);
        finder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finder));
    }

    QLineEdit* box(const char* name) { return finder.findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return finder.findChild<QPushButton*>(name); }
    QTableView* grid() { return finder.findChild<QTableView*>("DBG"); }
    int rows() { return grid()->model()->rowCount(); }
    QString cell(int row, int column)
    {
        return grid()->model()->index(row, column).data().toString();
    }
    QStringList column(int column)
    {
        QStringList texts;
        for (int row = 0; row < rows(); ++row)
            texts << cell(row, column);
        texts.sort();
        return texts;
    }
    void type(const char* name, const QString& text)
    {
        box(name)->clear();
        box(name)->insert(text); // keyClicks takes Latin-1 only
    }
    void search() { QTest::mouseClick(button("cmdS1"), Qt::LeftButton); }
    void selectRow(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
    int rowOf(const QString& id, const QString& date)
    {
        for (int row = 0; row < rows(); ++row) {
            if (cell(row, 0) == id && cell(row, 1) == date)
                return row;
        }
        return -1;
    }

    frmDBFind2 finder;
};

// Runs once the next modal dialog is up.
template <typename Action> void whenModal(Action action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(modal);
        // A failed check must not leave the test waiting on the dialog.
        if (modal->isVisible())
            modal->close();
    });
}

} // namespace

class TestFinder : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private:
    void fill(DialogsFixture& f)
    {
        f.addFaceSheet(Yamada, f.day(2005, 8, 17), "山田", "花子", "やまだ", "はなこ",
                       f.day(1920, 3, 4));
        f.addFaceSheet(Sato, f.day(2006, 1, 10), "佐藤", "一郎", "さとう", "いちろう",
                       f.day(1925, 5, 6));
        f.addFaceSheet("300", f.day(2006, 2, 1), "a_b", "", "10%", "");
        f.addFaceSheet("301", f.day(2006, 2, 1), "axb", "", "10x", "");
        f.addFaceSheet(Quoted, f.day(2007, 7, 7), "小山", "次郎");
        f.addAssessment(Yamada, f.day(2005, 8, 17));
        f.addAssessment(Yamada, f.day(2006, 2, 17));
        f.addAssessment(Sato, f.day(2006, 1, 10));
        f.addRecord("S", Yamada, f.day(2005, 8, 20));
        f.addRecord("T", Yamada, f.day(2005, 8, 21));
        f.addRap(Yamada, f.day(2005, 8, 17));
    }

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    void modeSetCaptionsAndEmptyList_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("dateLabel");
        QTest::newRow("face sheets") << 0 << "基本情報データの選択"
                                     << "記入日";
        QTest::newRow("assessments") << 1 << "アセスメントデータの選択"
                                     << "基準日";
        QTest::newRow("RAP summaries") << 2 << "RAPサマリーデータの選択"
                                       << "記入日";
        QTest::newRow("medication surveys") << 3 << "薬物治療調査票データの選択"
                                            << "記入日";
    }

    void modeSetCaptionsAndEmptyList()
    {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QString, dateLabel);
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, mode);
        QCOMPARE(o.finder.windowTitle(), caption);
        QCOMPARE(o.finder.findChild<QLabel*>("lbAD")->text(), dateLabel);
        QCOMPARE(o.grid()->model()->headerData(1, Qt::Horizontal).toString(), dateLabel);
        QCOMPARE(o.grid()->model()->columnCount(), 5);
        QCOMPARE(o.rows(), 0);
        // Every kind lists the resident's records once a search is made.
        o.type("txtIDs", Yamada);
        o.search();
        QCOMPARE(o.rows(), mode == 1 ? 2 : 1);
        QCOMPARE(o.cell(0, 2), QString("山田花子"));
        QCOMPARE(o.cell(0, 3), QString("やまだはなこ"));
        QCOMPARE(o.cell(0, 4), QString("1920/03/04"));
        QCOMPARE(f.boxes.count(), 0);
    }

    void textsFitWhateverTheDesktopFont()
    {
        DialogsFixture f;
        const test::LargeDesktopFont large;
        for (int mode = 0; mode < FinderQuery::modeCount; ++mode) {
            frmDBFind2 finder(f.state);
            finder.ModeSet(mode);
            finder.setNewButtonVisible(true);
            finder.findChild<QLineEdit*>("txtAssDate")->setText("平成17年08月17日");
            finder.findChild<QLineEdit*>("txtBorn")->setText("昭和10年12月31日");
            test::verifyTextsFit(&finder);
        }
    }

    void searchMessages_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing typed") << 0 << ""
                                       << ""
                                       << "検索条件が入力されていません";
        QTest::newRow("bad date, face sheets") << 0 << "abc"
                                               << ""
                                               << "記入日の指定がおかしいです";
        QTest::newRow("bad date, assessments") << 1 << "2005/13/01"
                                               << ""
                                               << "基準日の指定がおかしいです";
        QTest::newRow("bad date before bad birth") << 2 << "x"
                                                   << "y"
                                                   << "記入日の指定がおかしいです";
        QTest::newRow("bad birth") << 3 << "2005/08/17"
                                   << "昭和"
                                   << "生年月日の指定がおかしいです";
    }

    void searchMessages()
    {
        QFETCH(int, mode);
        QFETCH(QString, date);
        QFETCH(QString, birth);
        QFETCH(QString, message);
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, mode);
        o.type("txtIDs", Yamada);
        o.search();
        const int listed = o.rows();
        QVERIFY(listed > 0);
        if (date.isEmpty() && birth.isEmpty())
            o.box("txtIDs")->clear();
        o.type("txtAssDate", date);
        o.type("txtBorn", birth);
        o.search();
        QCOMPARE(f.boxes.count(), 1);
        QCOMPARE(f.boxes.last().text, message);
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        QCOMPARE(o.rows(), listed);
    }

    void searchJoinsFilledBoxesWithOr()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 0);
        o.type("txtTaisyo", "山");
        o.search();
        QCOMPARE(o.column(0), QStringList({Yamada, Quoted}));
        o.type("txtIDs", Sato);
        o.search();
        QCOMPARE(o.column(0), QStringList({Yamada, Sato, Quoted}));
        o.box("txtTaisyo")->clear();
        o.type("txtYom", "はなこ");
        o.type("txtBorn", "1925/5/6");
        o.search();
        QCOMPARE(o.column(0), QStringList({Yamada, Sato}));
    }

    void wildcardsAndLiteralSigns_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("underscore is itself") << "txtTaisyo"
                                              << "a_b" << QStringList{"300"};
        QTest::newRow("percent is itself") << "txtYom"
                                           << "10%" << QStringList{"300"};
        QTest::newRow("question mark is one character") << "txtTaisyo"
                                                        << "a?b" << QStringList{"300", "301"};
        QTest::newRow("letters in either case") << "txtTaisyo"
                                                << "A?B" << QStringList{"300", "301"};
        QTest::newRow("star is any text") << "txtTaisyo"
                                          << "山*子" << QStringList{Yamada};
        QTest::newRow("no match") << "txtYom"
                                  << "ぞ" << QStringList{};
        QTest::newRow("quotes typed") << "txtTaisyo"
                                      << "'\"" << QStringList{};
    }

    void wildcardsAndLiteralSigns()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, ids);
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 0);
        o.type(box.toLatin1().constData(), typed);
        o.search();
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(o.column(0), ids);
    }

    void likePatterns_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("plain") << "山田"
                               << "*山田*";
        QTest::newRow("star and question mark") << "山*子?"
                                                << "*山*子?*";
        QTest::newRow("percent and underscore") << "10%_"
                                                << "*10%_*";
        QTest::newRow("backslash") << "a\\b"
                                   << "*a\\b*";
        QTest::newRow("hash is one digit, brackets stay") << "#[a]"
                                                          << "*[0-9０-９][[]a]*";
        QTest::newRow("letters in either case") << "AbＣ"
                                                << "*abＣ*";
    }

    void likePatterns()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pattern);
        QCOMPARE(FinderQuery::containsPattern(typed), pattern);
    }

    // "#" is one digit, half or full width; the name is searched anywhere, so a digit may follow.
    void hashIsOneDigit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("one digit, more may follow")
            << "txtTaisyo"
            << "山田#" << QStringList{"401", "403", "404", "405", "406"};
        QTest::newRow("a letter after the digit") << "txtTaisyo"
                                                  << "山田#太" << QStringList{"405"};
        QTest::newRow("two digits") << "txtTaisyo"
                                    << "山田##" << QStringList{"403"};
        QTest::newRow("digits in the middle") << "txtTaisyo"
                                              << "田#?郎" << QStringList{"406"};
        QTest::newRow("a full-width digit typed is itself") << "txtTaisyo"
                                                            << "山田１" << QStringList{"404"};
        QTest::newRow("reading") << "txtYom"
                                 << "やまだ#" << QStringList{"401"};
        QTest::newRow("a stored hash is no digit") << "txtYom"
                                                   << "x#y" << QStringList{};
    }

    void hashIsOneDigit()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, ids);
        DialogsFixture f;
        f.addFaceSheet("400", f.day(2006, 3, 1), "山田", "", "やまだ", "");
        f.addFaceSheet("401", f.day(2006, 3, 1), "山田", "1", "やまだ", "1");
        f.addFaceSheet("402", f.day(2006, 3, 1), "山田", "太", "やまだ", "た");
        f.addFaceSheet("403", f.day(2006, 3, 1), "山田", "12", "やまだ", "じゅうに");
        f.addFaceSheet("404", f.day(2006, 3, 1), "山田", "１", "やまだ", "いち");
        f.addFaceSheet("405", f.day(2006, 3, 1), "山田", "1太", "やまだ", "x#y");
        f.addFaceSheet("406", f.day(2006, 3, 1), "山田", "2次郎", "やまだ", "");
        OpenFinder o(f.state, 0);
        o.type(box.toLatin1().constData(), typed);
        o.search();
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(o.column(0), ids);
    }

    void dateBoxFindsTheDay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("slashes") << "2005/8/17";
        QTest::newRow("era") << "平成17年08月17日";
        QTest::newRow("with a time") << "2005/08/17 10:30";
    }

    void dateBoxFindsTheDay()
    {
        QFETCH(QString, typed);
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 1);
        o.type("txtAssDate", typed);
        o.search();
        QCOMPARE(o.rows(), 1);
        QCOMPARE(o.cell(0, 0), Yamada);
        QCOMPARE(o.cell(0, 1), QString("2005/08/17"));
    }

    void dateButtonsWriteTheEraForm()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 1);
        whenModal([](QWidget* picker) {
            QCOMPARE(picker->objectName(), QString("frmDTPICK"));
            QVERIFY(picker->findChild<QWidget*>("cbHour")->isHidden());
            picker->findChild<QCalendarWidget*>("Cal")->setSelectedDate(QDate(2005, 8, 17));
            QTest::mouseClick(picker->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(o.button("cmdDTPICK"), Qt::LeftButton);
        QCOMPARE(o.box("txtAssDate")->text(), QString("平成17年08月17日"));
        QVERIFY(f.state.DatePicked);
        o.search();
        QCOMPARE(o.column(1), QStringList{"2005/08/17"});

        // Escape leaves the box as it was.
        whenModal([](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Escape); });
        QTest::mouseClick(o.button("cmdBorn"), Qt::LeftButton);
        QCOMPARE(o.box("txtBorn")->text(), QString());
        QVERIFY(!f.state.DatePicked);
    }

    void pickLeavesTheKeyAndCloses()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 1);
        o.type("txtIDs", Yamada);
        o.search();
        const int row = o.rowOf(Yamada, "2006/02/17");
        QVERIFY(row >= 0);
        o.selectRow(row);
        QTest::mouseClick(o.button("cmdSel"), Qt::LeftButton);
        QCOMPARE(f.state.CurID, Yamada);
        QCOMPARE(f.state.CurKijunbi, f.day(2006, 2, 17));
        QCOMPARE(o.finder.result(), int(QDialog::Accepted));
        QVERIFY(!o.finder.isVisible());
    }

    // Only a pick, the new button or the close box closes the finder; Escape and Enter do not.
    void escapeKeepsTheFinderOpen()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 0);
        o.type("txtIDs", Yamada);
        o.search();
        for (QWidget* focus :
             {static_cast<QWidget*>(o.box("txtIDs")), static_cast<QWidget*>(o.grid())}) {
            QTest::keyClick(focus, Qt::Key_Escape);
            QTest::keyClick(focus, Qt::Key_Return);
        }
        QVERIFY(o.finder.isVisible());
        QVERIFY(f.state.CurID.isEmpty());
    }

    void doubleClickPicksToo()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 2);
        o.type("txtIDs", Yamada);
        o.search();
        QCOMPARE(o.rows(), 1);
        QWidget* viewport = o.grid()->viewport();
        const QPoint centre = o.grid()->visualRect(o.grid()->model()->index(0, 2)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, centre);
        QCOMPARE(f.state.CurID, Yamada);
        QCOMPARE(f.state.CurKijunbi, f.day(2005, 8, 20));
    }

    void pickOnEmptyListDoesNothing()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 0);
        f.state.CurID = "keep";
        QTest::mouseClick(o.button("cmdSel"), Qt::LeftButton);
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(f.state.CurID, QString("keep"));
        QVERIFY(o.finder.isVisible());
        QCOMPARE(f.boxes.count(), 0);
    }

    void quotesInIds()
    {
        DialogsFixture f;
        fill(f);
        f.addAssessment(Quoted, f.day(2007, 7, 8));
        OpenFinder o(f.state, 1);
        o.type("txtIDs", Quoted);
        o.search();
        QCOMPARE(o.rows(), 1);
        QCOMPARE(o.cell(0, 2), QString("小山次郎"));
        f.boxes.queueAnswer(AnswerYes);
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(o.rows(), 0);
        QCOMPARE(f.count("A", Quoted), 0);
        QCOMPARE(f.count("KIHON1", Quoted), 1);
    }

    void deleteButtonFollowsIsNewRecord()
    {
        DialogsFixture f;
        for (const bool isNew : {true, false}) {
            f.state.IsNewRecord = isNew;
            frmDBFind2 finder(f.state);
            finder.ModeSet(0);
            QCOMPARE(finder.findChild<QPushButton*>("cmdDel")->isHidden(), isNew);
            QVERIFY(finder.findChild<QPushButton*>("cmdNew")->isHidden());
        }
    }

    void deleteQuestionsByMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("dateLine");
        QTest::newRow("face sheet") << 0 << "2005/08/17"
                                    << "基本情報の削除"
                                    << "記入日:[2005/08/17]";
        QTest::newRow("assessment") << 1 << "2006/02/17"
                                    << "アセスメント表データの削除"
                                    << "基準日:[2006/02/17]";
        QTest::newRow("RAP summary") << 2 << "2005/08/20"
                                     << "RAPサマリーの削除"
                                     << "記入日:[2005/08/20]";
        QTest::newRow("medication survey") << 3 << "2005/08/21"
                                           << "薬物治療調査票の削除"
                                           << "記入日:[2005/08/21]";
    }

    void deleteQuestionsByMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, date);
        QFETCH(QString, title);
        QFETCH(QString, dateLine);
        DialogsFixture f;
        fill(f);
        f.state.CurID = "before";
        OpenFinder o(f.state, mode);
        o.type("txtIDs", Yamada);
        o.search();
        const int listed = o.rows();
        o.selectRow(o.rowOf(Yamada, date));
        f.boxes.queueAnswer(AnswerNo);
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(f.boxes.count(), 1);
        QCOMPARE(f.boxes.last().text, QString("ID:[100]\r\n対象者名:[山田花子]\r\n") + dateLine +
                                          "\r\n\r\n削除しますか？");
        QCOMPARE(f.boxes.last().title, title);
        QCOMPARE(f.boxes.last().style, int(StyleYesNoExclamation));
        QCOMPARE(o.rows(), listed);
        QCOMPARE(f.state.CurID, QString("before"));

        f.boxes.queueAnswer(AnswerYes);
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(o.rows(), listed - 1);
        QCOMPARE(o.rowOf(Yamada, date), -1);
        QVERIFY(f.state.CurID.isEmpty());
        QVERIFY(f.state.CurKijunbi.isZero());
        QVERIFY(o.finder.isVisible());
    }

    void lastFaceSheetTakesEveryRecordOfTheResident()
    {
        DialogsFixture f;
        fill(f);
        f.exec("INSERT INTO [Trigger]([ID], [記入日]) VALUES(?, ?)", {Yamada, f.day(2005, 8, 17)});
        OpenFinder o(f.state, 0);
        o.type("txtIDs", Yamada);
        o.search();
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(o.rows(), 0);
        for (char letter = 'A'; letter <= 'T'; ++letter)
            QCOMPARE(f.count(QString(QLatin1Char(letter)), Yamada), 0);
        QCOMPARE(f.count("KIHON1", Yamada), 0);
        QCOMPARE(f.count("RAP", Yamada), 1);
        QCOMPARE(f.count("Trigger", Yamada), 1);
        QCOMPARE(f.count("A", Sato), 1);
    }

    void failedCascadeLeavesEverything()
    {
        DialogsFixture f;
        fill(f);
        f.exec("DROP TABLE T", {});
        OpenFinder o(f.state, 0);
        o.type("txtIDs", Yamada);
        o.search();
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(f.boxes.count(), 2);
        QVERIFY(f.boxes.last().text.startsWith("削除できませんでした。"));
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        QCOMPARE(o.rows(), 1);
        QCOMPARE(f.count("KIHON1", Yamada), 1);
        QCOMPARE(f.count("A", Yamada), 2);
        QCOMPARE(f.count("S", Yamada), 1);
    }

    void oneOfTwoFaceSheetsGoesAlone()
    {
        DialogsFixture f;
        fill(f);
        f.addFaceSheet(Yamada, f.day(2006, 8, 17), "山田", "花子");
        OpenFinder o(f.state, 0);
        o.type("txtIDs", Yamada);
        o.search();
        QCOMPARE(o.rows(), 2);
        o.selectRow(o.rowOf(Yamada, "2006/08/17"));
        QTest::mouseClick(o.button("cmdDel"), Qt::LeftButton);
        QCOMPARE(o.column(1), QStringList{"2005/08/17"});
        QCOMPARE(f.count("KIHON1", Yamada), 1);
        QCOMPARE(f.count("A", Yamada), 2);
        QCOMPARE(f.count("R", Yamada), 2);
        QCOMPARE(f.count("S", Yamada), 1);
        QCOMPARE(f.count("T", Yamada), 1);
    }

    void recordListedOncePerFaceSheet_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("assessments") << 1;
        QTest::newRow("RAP summaries") << 2;
        QTest::newRow("medication surveys") << 3;
    }

    void recordListedOncePerFaceSheet()
    {
        QFETCH(int, mode);
        DialogsFixture f;
        fill(f);
        f.addFaceSheet(Yamada, f.day(2007, 1, 10), "山田", "花子");
        f.addFaceSheet(Yamada, f.day(2008, 1, 10), "山田", "花子");
        OpenFinder o(f.state, mode);
        o.type("txtIDs", Yamada);
        o.search();
        // Yamada has two assessments, one RAP summary and one medication survey.
        QCOMPARE(o.rows(), (mode == 1 ? 2 : 1) * 3);
    }

    void newFaceSheetModeHandsOverToNewData()
    {
        DialogsFixture f;
        fill(f);
        f.state.IsNewRecord = true;
        OpenFinder o(f.state, 0);
        o.finder.setNewButtonVisible(true);
        o.type("txtIDs", Sato);
        o.search();
        QString shownId;
        QString shownName;
        whenModal([&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QString("frmNewData"));
            shownId = dialog->findChild<QLineEdit*>("txtIDs")->text();
            shownName = dialog->findChild<QLabel*>("lbFullName")->text();
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtAssDate"), "2008/04/01");
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(o.button("cmdSel"), Qt::LeftButton);
        QCOMPARE(shownId, Sato);
        QCOMPARE(shownName, QString("佐藤一郎"));
        QCOMPARE(f.state.CurID, Sato);
        QCOMPARE(f.state.CurKijunbi, f.day(2008, 4, 1));
        QVERIFY(!o.finder.isVisible());
    }

    void newButtonOpensNewDataEmpty()
    {
        DialogsFixture f;
        fill(f);
        OpenFinder o(f.state, 0);
        o.finder.setNewButtonVisible(true);
        whenModal([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>("txtIDs")->text(), QString());
            QCOMPARE(dialog->findChild<QLabel*>("lbFullName")->text(), QString("*新規"));
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        });
        f.state.CurID = "x";
        QTest::mouseClick(o.button("cmdNew"), Qt::LeftButton);
        QVERIFY(f.state.CurID.isEmpty());
        QVERIFY(!o.finder.isVisible());
    }

    void recordFinderServiceShowsAFreshFinder()
    {
        DialogsFixture f;
        fill(f);
        QtRecordFinder finder(f.state);
        f.state.CurID = "stale";
        bool newShown = false;
        whenModal([&](QWidget* dialog) {
            newShown = dialog->findChild<QPushButton*>("cmdNew")->isVisible();
            QCOMPARE(dialog->findChild<QTableView*>("DBG")->model()->rowCount(), 0);
            dialog->close();
        });
        finder.pick(0, true);
        QVERIFY(newShown);
        QVERIFY(f.state.CurID.isEmpty());

        whenModal([](QWidget* dialog) {
            QVERIFY(dialog->findChild<QPushButton*>("cmdNew")->isHidden());
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtIDs"), "200");
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdS1"), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdSel"), Qt::LeftButton);
        });
        finder.pick(3, false);
        QVERIFY(f.state.CurID.isEmpty()); // Sato has no medication survey
        whenModal([](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtIDs"), "200");
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdS1"), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdSel"), Qt::LeftButton);
        });
        finder.pick(1, false);
        QCOMPARE(f.state.CurID, Sato);
        QCOMPARE(f.state.CurKijunbi, f.day(2006, 1, 10));
    }
};

QTEST_MAIN(TestFinder)
#include "tst_finder.moc"

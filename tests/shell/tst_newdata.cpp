#include "DialogsFixture.h"
#include "TextFit.h"
#include "data/StoreText.h"
#include "shell/QtMessageBox.h"
#include "shell/frmDBFind2.h"
#include "shell/frmDTPICK.h"
#include "shell/frmDateSet.h"
#include "shell/frmNewData.h"
#include "support/ModalWatchdog.h"

#include <QApplication>
#include <QScreen>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace orv;
using test::DialogsFixture;

namespace {

template <typename Dialog> class Shown
{
public:
    explicit Shown(AppState& state) : dialog(state)
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    QLineEdit* box(const char* name) { return dialog.template findChild<QLineEdit*>(name); }
    QLabel* label(const char* name) { return dialog.template findChild<QLabel*>(name); }
    void set(const char* name, const QString& text)
    {
        box(name)->clear();
        box(name)->insert(text);
    }
    void ok()
    {
        QTest::mouseClick(dialog.template findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    }

    Dialog dialog;
};

void fill(DialogsFixture& f)
{
    f.addFaceSheet("100", f.day(2005, 8, 17), "山田", "花子");
    f.addFaceSheet("O'B\"1", f.day(2005, 8, 17), "小山", QString());
    f.exec("INSERT INTO KIHON1([ID], [基準日]) VALUES('300', '2006-01-01')", {});
    f.addFaceSheet("400", f.day(2005, 8, 17), "勅使河原長谷川", "美智代里子");
}

// As far from the left edge as from the right, and from the top as from the bottom, give or take
// the pixel that the halving in twips drops.
bool isCentred(const QRect& window, const QRect& screen)
{
    const int across = (window.left() - screen.left()) - (screen.right() - window.right());
    const int down = (window.top() - screen.top()) - (screen.bottom() - window.bottom());
    return qAbs(across) <= 1 && qAbs(down) <= 1;
}

QString rectText(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

std::unique_ptr<QDialog> dialogNamed(const QString& name, AppState& state)
{
    if (name == "frmNewData")
        return std::make_unique<frmNewData>(state);
    if (name == "frmDateSet")
        return std::make_unique<frmDateSet>(state);
    if (name == "frmDBFind2")
        return std::make_unique<frmDBFind2>(state);
    return std::make_unique<frmDTPICK>(state);
}

// The window states a widget went through.
class StateLog : public QObject
{
public:
    QList<Qt::WindowStates> seen;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            seen << static_cast<QWidget*>(watched)->windowState();
        return false;
    }
};

} // namespace

class TestNewData : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    void layoutInTwips()
    {
        DialogsFixture f;
        frmNewData dialog(f.state);
        QCOMPARE(dialog.windowTitle(), QString("フェイスシート情報の作成"));
        const double perPixel = 1440.0 / dialog.screen()->logicalDotsPerInch();
        QCOMPARE(dialog.width(), qRound(3480 / perPixel));
        QCOMPARE(dialog.height(), qRound(1665 / perPixel));
        QCOMPARE(dialog.findChild<QLineEdit*>("txtIDs")->x(), qRound(1080 / perPixel));
        QCOMPARE(dialog.findChild<QPushButton*>("cmdCancel")->text(), QString("キャンセル"));
        QCOMPARE(dialog.findChild<QLabel*>("lbFullName")->text(), QString("*新規"));
        // Centred on the screen.
        const QRect screen = dialog.screen()->geometry();
        QVERIFY(qAbs(dialog.x() * 2 + dialog.width() - screen.width()) <= 2);
        QVERIFY(qAbs(dialog.y() * 2 + dialog.height() - screen.height()) <= 2);
    }

    void textsFitWhateverTheDesktopFont()
    {
        DialogsFixture f;
        fill(f);
        const test::LargeDesktopFont large;
        frmNewData newData(f.state);
        newData.setId("100");
        newData.findChild<QLineEdit*>("txtAssDate")->setText("平成17年08月17日");
        test::verifyTextsFit(&newData);
        newData.setId("400"); // a long name is shown smaller
        QCOMPARE(newData.findChild<QLabel*>("lbFullName")->text(),
                 QString("勅使河原長谷川美智代里子"));
        test::verifyTextsFit(&newData);
        newData.setId("100");
        test::verifyTextsFit(&newData);
        QCOMPARE(newData.findChild<QLabel*>("lbFullName")->font().pointSize(), 9);
        for (const QString& label : {QString(), QStringLiteral("記入年月日")}) {
            frmDateSet dateSet(f.state);
            if (!label.isEmpty())
                dateSet.setLabelCaption(label);
            dateSet.findChild<QLineEdit*>("txtAssDate")->setText("平成17年08月17日");
            test::verifyTextsFit(&dateSet);
        }
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "IDを入力してください";
        QTest::newRow("ID empty, date bad") << ""
                                            << "abc"
                                            << "IDを入力してください";
        QTest::newRow("date empty") << "100"
                                    << ""
                                    << "記入日の指定が間違っています";
        QTest::newRow("date bad") << "100"
                                  << "abc"
                                  << "記入日の指定が間違っています";
        QTest::newRow("no such day") << "100"
                                     << "2005/02/30"
                                     << "記入日の指定が間違っています";
        QTest::newRow("a time alone") << "100"
                                      << "9:05"
                                      << "記入日の指定が間違っています";
        QTest::newRow("existing key") << "100"
                                      << "2005/08/17"
                                      << "既に同じIDおよび記入日でのデータが存在します。";
        QTest::newRow("existing key, era form") << "100"
                                                << "平成17年08月17日"
                                                << "既に同じIDおよび記入日でのデータが存在します。";
        QTest::newRow("existing key, with a time")
            << "100"
            << "2005/08/17 10:30"
            << "既に同じIDおよび記入日でのデータが存在します。";
        QTest::newRow("ID too long") << "<too long>"
                                     << "abc"
                                     << "IDが長すぎます。IDは<size>文字以内で入力してください";
        // Counted as the store counts: 𠮷 takes two places.
        QTest::newRow("ID too long by a pair")
            << "<one short>𠮷"
            << "2005/08/17"
            << "IDが長すぎます。IDは<size>文字以内で入力してください\n𠮷などの一部の文字は、"
               "1文字で2文字分と数えます（入力された文字数：<size+1>）。";
        QTest::newRow("ID with a lone surrogate") << QString(QChar(0xDFB7)) + "100"
                                                  << "2005/08/17" << StoreText::UnstorableCharacter;
    }

    void checksInOrder()
    {
        QFETCH(QString, id);
        QFETCH(QString, date);
        QFETCH(QString, message);
        DialogsFixture f;
        fill(f);
        if (id == "<too long>")
            id = QString(f.idSize() + 1, QLatin1Char('9'));
        id.replace("<one short>", QString(f.idSize() - 1, QLatin1Char('9')));
        message.replace("<size+1>", QString::number(f.idSize() + 1));
        message.replace("<size>", QString::number(f.idSize()));
        Shown<frmNewData> s(f.state);
        s.set("txtIDs", id);
        s.set("txtAssDate", date);
        s.ok();
        QCOMPARE(f.boxes.texts(), QStringList{message});
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        QCOMPARE(f.boxes.last().title, applicationTitle());
        QVERIFY(s.dialog.isVisible());
        QVERIFY(f.state.CurID.isEmpty());
        QVERIFY(f.state.CurKijunbi.isZero());
        QCOMPARE(s.box("txtIDs")->text(), id);
        QCOMPARE(s.box("txtAssDate")->text(), date);
    }

    void changedDateSucceedsAfterExistingKey()
    {
        DialogsFixture f;
        fill(f);
        Shown<frmNewData> s(f.state);
        s.set("txtIDs", "100");
        s.set("txtAssDate", "2005/08/17");
        s.ok();
        QCOMPARE(f.boxes.count(), 1);
        s.set("txtAssDate", "2005/08/18 10:30");
        s.ok();
        QCOMPARE(f.boxes.count(), 1);
        QCOMPARE(f.state.CurID, QString("100"));
        // Keys carry no time of day.
        QCOMPARE(f.state.CurKijunbi, f.day(2005, 8, 18));
        QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!s.dialog.isVisible());
        QCOMPARE(f.count("KIHON1", "100"), 1);
    }

    void idTakenAsTyped_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("blanks around") << " 100 ";
        QTest::newRow("quotes") << "O'B\"1";
        QTest::newRow("exactly the column size") << "<size>";
        QTest::newRow("wide characters") << "１２３４５６７８９０";
    }

    void idTakenAsTyped()
    {
        QFETCH(QString, id);
        DialogsFixture f;
        fill(f);
        if (id == "<size>")
            id = QString(f.idSize(), QLatin1Char('9'));
        Shown<frmNewData> s(f.state);
        s.set("txtIDs", id);
        s.set("txtAssDate", "平成18年1月2日");
        s.ok();
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(f.state.CurID, id);
        QCOMPARE(f.state.CurKijunbi, f.day(2006, 1, 2));
    }

    void nameFollowsEveryChangeOfTheId()
    {
        DialogsFixture f;
        fill(f);
        Shown<frmNewData> s(f.state);
        QLabel* name = s.label("lbFullName");
        QTest::keyClicks(s.box("txtIDs"), "10");
        QCOMPARE(name->text(), QString("*新規"));
        QTest::keyClicks(s.box("txtIDs"), "0");
        QCOMPARE(name->text(), QString("山田花子"));
        QTest::keyClick(s.box("txtIDs"), Qt::Key_Backspace);
        QCOMPARE(name->text(), QString("*新規"));
        s.set("txtIDs", "O'B\"1");
        QCOMPARE(name->text(), QString("小山"));
        s.set("txtIDs", "300"); // both name parts Null
        QCOMPARE(name->text(), QString());
        s.set("txtIDs", QString());
        QCOMPARE(name->text(), QString("*新規"));
    }

    void presetIdShowsTheNameAtOnce()
    {
        DialogsFixture f;
        fill(f);
        frmNewData dialog(f.state);
        dialog.setId("100");
        QCOMPARE(dialog.findChild<QLabel*>("lbFullName")->text(), QString("山田花子"));
    }

    void cancelEmptiesCloseBoxKeeps()
    {
        DialogsFixture f;
        fill(f);
        f.state.CurID = "keep";
        f.state.CurKijunbi = f.day(2001, 1, 1);
        {
            Shown<frmNewData> s(f.state);
            s.set("txtIDs", "100");
            QTest::keyClick(&s.dialog, Qt::Key_Escape);
            QTest::keyClick(s.box("txtIDs"), Qt::Key_Return);
            QVERIFY(s.dialog.isVisible());
            s.dialog.close();
            QCOMPARE(f.state.CurID, QString("keep"));
            QCOMPARE(f.state.CurKijunbi, f.day(2001, 1, 1));
        }
        Shown<frmNewData> s(f.state);
        QTest::mouseClick(s.dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QVERIFY(f.state.CurID.isEmpty());
        QVERIFY(f.state.CurKijunbi.isZero());
        QVERIFY(!s.dialog.isVisible());
    }

    void pickerFillsTheDateBox()
    {
        DialogsFixture f;
        Shown<frmNewData> s(f.state);
        s.set("txtAssDate", "before");
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            QTest::keyClick(picker, Qt::Key_Escape);
        });
        QTest::mouseClick(s.dialog.findChild<QPushButton*>("cmdDTPICK"), Qt::LeftButton);
        QCOMPARE(s.box("txtAssDate")->text(), QString("before"));
        QVERIFY(f.state.DateOnly);
        QVERIFY(f.state.PickElementName.isEmpty());
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            picker->findChild<QCalendarWidget*>("Cal")->setSelectedDate(QDate(2006, 3, 9));
            QTest::mouseClick(picker->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        QTest::mouseClick(s.dialog.findChild<QPushButton*>("cmdDTPICK"), Qt::LeftButton);
        QCOMPARE(s.box("txtAssDate")->text(), QString("平成18年03月09日"));
        s.set("txtIDs", "500");
        s.ok();
        QCOMPARE(f.state.CurKijunbi, f.day(2006, 3, 9));
    }

    void dateSetDesignedAndRetitled()
    {
        DialogsFixture f;
        frmDateSet designed(f.state);
        QCOMPARE(designed.windowTitle(), QString("アセスメント基準日の設定"));
        QCOMPARE(designed.findChild<QLabel*>("lbAD")->text(), QString("アセスメント基準日"));
        QVERIFY(!designed.findChild<QPushButton*>("cmdCancel"));

        QString caption;
        QString label;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            label = dialog->findChild<QLabel*>("lbAD")->text();
            dialog->close();
        });
        frmDateSet::showModal(f.state, "RAPサマリー 記入年月日指定", "記入年月日");
        QCOMPARE(caption, QString("RAPサマリー 記入年月日指定"));
        QCOMPARE(label, QString("記入年月日"));
        QVERIFY(f.state.CurKijunbi.isZero());
        // The next showing starts from the designed captions.
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            dialog->close();
        });
        frmDateSet::showModal(f.state);
        QCOMPARE(caption, QString("アセスメント基準日の設定"));
    }

    void dateSetChecksTheDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("no date") << "abc" << QDate();
        QTest::newRow("a time alone") << "10:30" << QDate();
        QTest::newRow("slashes") << "2005/8/17" << QDate(2005, 8, 17);
        QTest::newRow("era") << "平成17年08月17日" << QDate(2005, 8, 17);
        QTest::newRow("era letter") << "H17.8.17" << QDate(2005, 8, 17);
        QTest::newRow("two-digit year") << "05/8/17" << QDate(2005, 8, 17);
        QTest::newRow("with a time") << "2005/08/17 23:59" << QDate(2005, 8, 17);
    }

    void dateSetChecksTheDate()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        DialogsFixture f;
        Shown<frmDateSet> s(f.state);
        s.dialog.setWindowTitle("薬物治療調査票 記入年月日指定");
        s.set("txtAssDate", typed);
        s.ok();
        if (!expected.isValid()) {
            QCOMPARE(f.boxes.texts(), QStringList{"基準日の指定の仕方が間違っています"});
            QCOMPARE(f.boxes.last().style, int(StyleCritical));
            QVERIFY(s.dialog.isVisible());
            QVERIFY(f.state.CurKijunbi.isZero());
        } else {
            QCOMPARE(f.boxes.count(), 0);
            QCOMPARE(f.state.CurKijunbi, DateValue::fromDate(expected));
            QVERIFY(!s.dialog.isVisible());
        }
    }

    // The dialogs stand in the middle of the screen by their outer frame.
    void dialogsCentredByTheirFrame_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char* name : {"frmNewData", "frmDateSet", "frmDBFind2"})
            QTest::newRow(name) << name;
    }
    void dialogsCentredByTheirFrame()
    {
        QFETCH(QString, dialog);
        DialogsFixture f;
        const std::unique_ptr<QDialog> shown = dialogNamed(dialog, f.state);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QVERIFY(shown->frameGeometry() != shown->geometry());
        QTRY_VERIFY2_WITH_TIMEOUT(isCentred(shown->frameGeometry(), shown->screen()->geometry()),
                                  qPrintable(rectText(shown->frameGeometry())), 1000);
    }

    // A window manager that minimizes or maximizes a fixed dialog anyway finds it back.
    void fixedDialogsStayNormal_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("state");
        for (const char* name : {"frmNewData", "frmDateSet", "frmDBFind2", "frmDTPICK"}) {
            QTest::addRow("%s minimized", name) << name << int(Qt::WindowMinimized);
            QTest::addRow("%s maximized", name) << name << int(Qt::WindowMaximized);
        }
    }
    void fixedDialogsStayNormal()
    {
        QFETCH(QString, dialog);
        QFETCH(int, state);
        DialogsFixture f;
        const std::unique_ptr<QDialog> shown = dialogNamed(dialog, f.state);
        const QSize size = shown->size();
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QVERIFY(!(shown->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        StateLog log;
        shown->installEventFilter(&log);
        shown->windowHandle()->setWindowStates(Qt::WindowStates(state));
        QTRY_VERIFY_WITH_TIMEOUT(log.seen.contains(Qt::WindowStates(state)), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(shown->windowState(), Qt::WindowNoState, 1000);
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->size(), size);
    }

    // A box whose owner is not on screen, as the second-instance box at start-up, stands in the
    // middle of the screen.
    void boxWithoutAShownOwnerIsCentred()
    {
        QWidget owner;
        QtMessageBox boxes(&owner);
        QRect frame;
        QTimer::singleShot(0, [&frame] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            frame = box->frameGeometry();
            box->close();
        });
        boxes.show("既に起動されているので、終了します。", StyleCritical);
        QVERIFY2(isCentred(frame, QGuiApplication::primaryScreen()->geometry()),
                 qPrintable(rectText(frame)));
    }

    void dateSetEscapeDoesNothing()
    {
        DialogsFixture f;
        Shown<frmDateSet> s(f.state);
        QTest::keyClick(s.box("txtAssDate"), Qt::Key_Escape);
        QVERIFY(s.dialog.isVisible());
        s.dialog.close();
        QVERIFY(f.state.CurKijunbi.isZero());
    }
};

QTEST_MAIN(TestNewData)
#include "tst_newdata.moc"

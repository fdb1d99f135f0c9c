#include "TextFit.h"
#include "data/AppState.h"
#include "data/PageDocument.h"
#include "shell/PickerPlacement.h"
#include "shell/PickerPreload.h"
#include "shell/JapaneseLocale.h"
#include "shell/PickerResult.h"
#include "shell/frmDTPICK.h"
#include "support/ModalWatchdog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QTimer>
#include <QtTest>

using namespace orv;

namespace {

const QSizeF Dialog(3225, 2835);
const QSizeF Screen(19200, 14400);

// A page whose first form holds the given elements.
class FakePage : public PageDocument
{
public:
    QVector<PageElement> elements;
    bool readable = true;

    bool readElements(QVector<PageElement>* out, QString* error) override
    {
        if (!readable) {
            if (error)
                *error = "no document";
            return false;
        }
        *out = elements;
        return true;
    }
    bool apply(const QVector<ElementChange>&, QString*) override { return false; }
    bool setStatus(const QString&, QString*) override { return false; }
};

DateValue at(int y, int mo, int d, int h = 0, int mi = 0)
{
    return DateValue::fromDateTime(QDate(y, mo, d), QTime(h, mi));
}

// The calendar's heading as it reads from left to right.
QString heading(QCalendarWidget* calendar)
{
    QList<QToolButton*> buttons;
    for (QToolButton* button : calendar->findChildren<QToolButton*>())
        if (button->isVisible() && !button->text().isEmpty())
            buttons << button;
    std::sort(buttons.begin(), buttons.end(),
              [](QToolButton* a, QToolButton* b) { return a->x() < b->x(); });
    QString text;
    for (QToolButton* button : buttons)
        text += button->text();
    return text;
}

} // namespace

class TestPicker : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    // The program's locale, on a system whose own is not Japanese.
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        installJapaneseLocale(*qApp);
    }

    // The heading reads as Japanese calendars write it, also after a move and a typed year.
    void headingIsJapanese()
    {
        AppState state;
        state.PickElementName = "orv_A3";
        frmDTPICK picker(state, [](const QString&) { return QStringLiteral("2026/12/06"); });
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* cal = picker.findChild<QCalendarWidget*>("Cal");
        QCOMPARE(heading(cal), QString("2026年12月"));
        QCOMPARE(cal->findChild<QAbstractItemView*>()->model()->index(0, 0).data().toString(),
                 QString("日"));
        QTest::mouseClick(cal->findChild<QToolButton*>("qt_calendar_nextmonth"), Qt::LeftButton);
        QCOMPARE(heading(cal), QString("2027年1月"));
        QTest::mouseClick(cal->findChild<QToolButton*>("qt_calendar_yearbutton"), Qt::LeftButton);
        auto* year = cal->findChild<QSpinBox*>("qt_calendar_yearedit");
        year->selectAll();
        QTest::keyClicks(year, "2030");
        QTest::keyClick(year, Qt::Key_Return);
        QTRY_COMPARE(heading(cal), QString("2030年1月"));
    }

    void placement_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("top left") << QPointF(0, 0) << QPointF(0, 0);
        QTest::newRow("middle") << QPointF(6000, 4500) << QPointF(6000, 4500);
        QTest::newRow("lower right corner") << QPointF(19185, 14385) << QPointF(15975, 11565);
        QTest::newRow("ends exactly at the edges")
            << QPointF(15975, 11565) << QPointF(15975, 11565);
        QTest::newRow("one pixel past the edges") << QPointF(15990, 11580) << QPointF(15975, 11565);
        QTest::newRow("only the right edge") << QPointF(18000, 15) << QPointF(15975, 15);
        QTest::newRow("left of the screen stays") << QPointF(-300, -150) << QPointF(-300, -150);
    }

    void placement()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QPointF, expected);
        QCOMPARE(PickerPlacement::place(pointer, Dialog, Screen), expected);
    }

    void opensAtThePointer()
    {
        AppState state;
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect geometry = screen->geometry();
        QCursor::setPos(geometry.topLeft());
        {
            frmDTPICK picker(state);
            QCOMPARE(picker.pos(), geometry.topLeft());
        }
        QCursor::setPos(geometry.bottomRight());
        frmDTPICK picker(state);
        QCOMPARE(picker.x() + picker.width(), geometry.right() + 1);
        QCOMPARE(picker.y() + picker.height(), geometry.bottom() + 1);
    }

    void hourAndMinuteLists()
    {
        AppState state;
        frmDTPICK picker(state);
        QCOMPARE(picker.windowTitle(), QString("カレンダー"));
        auto* hours = picker.findChild<QComboBox*>("cbHour");
        auto* minutes = picker.findChild<QComboBox*>("cbMinutes");
        QCOMPARE(hours->count(), 24);
        QCOMPARE(minutes->count(), 60);
        for (int i = 0; i < 60; ++i) {
            const QString text = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            if (i < 24)
                QCOMPARE(hours->itemText(i), text);
            QCOMPARE(minutes->itemText(i), text);
        }
        QVERIFY(!hours->isHidden());
    }

    void textsFitWhateverTheDesktopFont()
    {
        const test::LargeDesktopFont large;
        AppState state;
        frmDTPICK picker(state);
        test::verifyTextsFit(&picker);
        // The calendar needs room for all seven days.
        auto* cal = picker.findChild<QCalendarWidget*>("Cal");
        QVERIFY(cal->minimumSizeHint().width() <= cal->width());
        QVERIFY(cal->minimumSizeHint().height() <= cal->height());
    }

    void preload_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        const QDate today(2024, 2, 29);
        QTest::newRow("points") << "2005.08.17" << QDate(2005, 8, 17) << 0 << 0;
        QTest::newRow("slashes and a time") << "2005/08/17 09:05" << QDate(2005, 8, 17) << 9 << 5;
        QTest::newRow("era") << "平成17年8月17日" << QDate(2005, 8, 17) << 0 << 0;
        QTest::newRow("points with a time") << "2005.08.17 09:05" << QDate(2005, 8, 17) << 9 << 5;
        QTest::newRow("month and day") << "8.17" << QDate(2024, 8, 17) << 0 << 0;
        QTest::newRow("no date") << "abc" << today << 13 << 47;
        QTest::newRow("empty") << "" << today << 13 << 47;
        QTest::newRow("impossible day") << "2005.02.30" << today << 13 << 47;
    }

    void preload()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(int, hour);
        QFETCH(int, minute);
        const PickerPreload start =
            PickerPreload::from(text, QDateTime(QDate(2024, 2, 29), QTime(13, 47, 12)));
        QCOMPARE(start.date, date);
        QCOMPARE(start.hour, hour);
        QCOMPARE(start.minute, minute);
    }

    void preloadFromThePageElement()
    {
        AppState state;
        state.PickElementName = "orv_A3";
        QString asked;
        frmDTPICK picker(state, [&](const QString& name) {
            asked = name;
            return QStringLiteral("2005.08.17");
        });
        QCOMPARE(asked, QString("orv_A3"));
        QCOMPARE(picker.findChild<QCalendarWidget*>("Cal")->selectedDate(), QDate(2005, 8, 17));
        QCOMPARE(picker.findChild<QComboBox*>("cbHour")->currentText(), QString("00"));
        QCOMPARE(picker.findChild<QComboBox*>("cbMinutes")->currentText(), QString("00"));
        picker.findChild<QPushButton*>("cmdOK")->click();
        QVERIFY(state.DatePicked);
        QCOMPARE(state.PickedDate, at(2005, 8, 17));
    }

    void preloadShownModalWithTheTime()
    {
        AppState state;
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            QCOMPARE(picker->findChild<QCalendarWidget*>("Cal")->selectedDate(),
                     QDate(2005, 8, 17));
            QVERIFY(!picker->findChild<QWidget*>("cbHour")->isHidden());
            QTest::mouseClick(picker->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        const auto reader = [](const QString& name) {
            return name == "orv_1_3_1" ? QStringLiteral("2005.08.17") : QString();
        };
        QVERIFY(frmDTPICK::pick(state, "orv_1_3_1", false, reader));
        QCOMPARE(state.PickElementName, QString("orv_1_3_1"));
        QVERIFY(!state.DateOnly);
        QCOMPARE(state.PickedDate, at(2005, 8, 17));
    }

    void preloadFromAnEntryPage()
    {
        AppState state;
        FakePage page;
        PageElement date;
        date.name = "orv_1_3_1";
        date.value = "2005.08.17";
        page.elements = {PageElement(), date};
        state.PickElementName = "orv_1_3_1";
        state.DateOnly = false;
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            QCOMPARE(picker->findChild<QCalendarWidget*>("Cal")->selectedDate(),
                     QDate(2005, 8, 17));
            QVERIFY(!picker->findChild<QWidget*>("cbHour")->isHidden());
            QTest::mouseClick(picker->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        frmDTPICK::showForPage(state, page);
        QVERIFY(state.DatePicked);
        QCOMPARE(state.PickedDate, at(2005, 8, 17));

        const frmDTPICK::ElementReader reader = frmDTPICK::pageReader(page);
        QCOMPARE(reader("orv_none"), QString());
        page.readable = false;
        QCOMPARE(reader("orv_1_3_1"), QString());
    }

    void missingElementPreloadsNow()
    {
        AppState state;
        state.PickElementName = "orv_none";
        const QDateTime before = QDateTime::currentDateTime();
        frmDTPICK picker(state, [](const QString&) { return QString(); });
        const QDateTime after = QDateTime::currentDateTime();
        const QDate shown = picker.findChild<QCalendarWidget*>("Cal")->selectedDate();
        QVERIFY(shown == before.date() || shown == after.date());
        const int hour = picker.findChild<QComboBox*>("cbHour")->currentText().toInt();
        QVERIFY(hour == before.time().hour() || hour == after.time().hour());
    }

    void noElementNameAsksNothing()
    {
        AppState state;
        bool asked = false;
        frmDTPICK picker(state, [&](const QString&) {
            asked = true;
            return QStringLiteral("2005.08.17");
        });
        QVERIFY(!asked);
    }

    void dateOnlyHidesTheTime()
    {
        AppState state;
        state.DateOnly = true;
        frmDTPICK picker(state);
        for (const char* name : {"lbJikan", "cbHour", "lbHm", "cbMinutes"})
            QVERIFY2(picker.findChild<QWidget*>(name)->isHidden(), name);
        QVERIFY(!picker.findChild<QWidget*>("Cal")->isHidden());
    }

    void everyCloseComposesPickedDate_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("picked");
        QTest::newRow("OK") << "ok" << true;
        QTest::newRow("Escape on the calendar") << "escape" << false;
        QTest::newRow("close box") << "close" << false;
    }

    void everyCloseComposesPickedDate()
    {
        QFETCH(QString, how);
        QFETCH(bool, picked);
        AppState state;
        state.PickedDate = at(1999, 1, 1);
        bool escapeClosed = false;
        QTimer::singleShot(0, [how, &escapeClosed] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            auto* cal = picker->findChild<QCalendarWidget*>("Cal");
            cal->setSelectedDate(QDate(2005, 8, 17));
            picker->findChild<QComboBox*>("cbHour")->setCurrentIndex(9);
            picker->findChild<QComboBox*>("cbMinutes")->setCurrentIndex(5);
            if (how == "ok") {
                QTest::mouseClick(picker->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            } else if (how == "escape") {
                // The key goes to the calendar's own grid, not to the window.
                QWidget* grid = cal->findChild<QWidget*>("qt_calendar_calendarview");
                QVERIFY(grid);
                QTest::keyClick(grid, Qt::Key_Escape);
                escapeClosed = !picker->isVisible();
            }
            if (picker->isVisible())
                picker->close();
        });
        state.DatePicked = true;
        QCOMPARE(frmDTPICK::pick(state, QString(), false), picked);
        QCOMPARE(state.DatePicked, picked);
        QCOMPARE(state.PickedDate, at(2005, 8, 17, 9, 5));
        QCOMPARE(escapeClosed, how == "escape");
    }

    void typedTimeThatIsNoTimeIsNotPicked_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("focused");
        QTest::newRow("hour 25") << "25"
                                 << "05"
                                 << "cbHour";
        QTest::newRow("hour empty") << ""
                                    << "05"
                                    << "cbHour";
        QTest::newRow("minute 60") << "09"
                                   << "60"
                                   << "cbMinutes";
        QTest::newRow("minute not a number") << "09"
                                             << "x"
                                             << "cbMinutes";
    }

    void typedTimeThatIsNoTimeIsNotPicked()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(QString, focused);
        AppState state;
        state.PickedDate = at(1999, 1, 1, 1, 1);
        frmDTPICK picker(state);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        picker.findChild<QComboBox*>("cbHour")->lineEdit()->setText(hour);
        picker.findChild<QComboBox*>("cbMinutes")->lineEdit()->setText(minute);
        QTest::mouseClick(picker.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        // No pick is reported with an old date: the picker stays open on the bad list.
        QVERIFY(picker.isVisible());
        QVERIFY(!state.DatePicked);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        // Closed without a pick, the old value stays.
        QTest::keyClick(&picker, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QVERIFY(!state.DatePicked);
        QCOMPARE(state.PickedDate, at(1999, 1, 1, 1, 1));
        QVERIFY(!PickerResult::compose(QDate(2005, 8, 17), "x", "00"));
        QCOMPARE(*PickerResult::compose(QDate(2005, 8, 17), "23", "59"), at(2005, 8, 17, 23, 59));
    }

    void typedHourIsTakenAsTyped()
    {
        AppState state;
        frmDTPICK picker(state);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        picker.findChild<QCalendarWidget*>("Cal")->setSelectedDate(QDate(2005, 8, 17));
        auto* hours = picker.findChild<QComboBox*>("cbHour");
        auto* minutes = picker.findChild<QComboBox*>("cbMinutes");
        for (QComboBox* list : {hours, minutes}) {
            list->setFocus();
            list->lineEdit()->clear();
            QTest::keyClicks(list, list == hours ? "1" : "5");
            QTest::keyClick(list, Qt::Key_Return);
        }
        QCOMPARE(hours->currentText(), QString("1"));
        QCOMPARE(hours->count(), 24);
        QCOMPARE(minutes->count(), 60);
        QVERIFY(picker.isVisible());
        QTest::mouseClick(picker.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(state.DatePicked);
        QCOMPARE(state.PickedDate, at(2005, 8, 17, 1, 5));
    }

    void escapeInAnOpenListClosesOnlyTheList()
    {
        AppState state;
        frmDTPICK picker(state);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* hours = picker.findChild<QComboBox*>("cbHour");
        hours->showPopup();
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(picker.isVisible());
        QTest::keyClick(hours, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QVERIFY(!state.DatePicked);
    }
};

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"

#include "DialogsFixture.h"
#include "support/AnotherClient.h"
#include "support/BoxCloser.h"
#include "support/FileListing.h"
#include "support/ModalWatchdog.h"
#include "support/TempFolder.h"

#include "data/RecordFiles.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "print/view/ReportWindows.h"
#include "shell/FileDialogIcons.h"
#include "shell/FinderLogic.h"
#include "shell/PrintToFileGuard.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace orv;
using test::DialogsFixture;

namespace {

const QString Yamada = QStringLiteral("100");
const QString Sato = QStringLiteral("200");

// The home folder for the time of one test.
class HomeFolder
{
public:
    explicit HomeFolder(const QString& path) : m_old(qgetenv("HOME"))
    {
        qputenv("HOME", QFile::encodeName(path));
    }
    ~HomeFolder() { qputenv("HOME", m_old); }

private:
    QByteArray m_old;
};

// The print dialog of a preview, as the user meets it after 印刷... (Ctrl+P), with "print to
// file" chosen.
class PrintDialogDriver
{
public:
    explicit PrintDialogDriver(QPrintDialog* dialog) : m_dialog(dialog)
    {
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
    }

    QLineEdit* fileBox() const
    {
        return m_dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    }

    void type(const QString& text)
    {
        fileBox()->clear();
        QTest::keyClicks(fileBox(), text);
    }

    // Waits until the file model behind the box has listed the folder with each file's type,
    // then asks it for all a list of the files shows.
    bool listed(const QString& folder, const QStringList& names) const
    {
        return test::listedByModel(m_dialog->findChild<QFileSystemModel*>(), folder, names);
    }

    // Opens the file dialog of the "..." button, waits until it lists the folder, and closes it.
    bool browsed(const QString& folder, const QStringList& names) const
    {
        bool seen = false;
        QTimer::singleShot(0, m_dialog, [&] {
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!chooser)
                return;
            seen = true;
            for (const auto mode : {QFileDialog::List, QFileDialog::Detail}) {
                chooser->setViewMode(mode);
                seen = seen &&
                       test::listedByModel(chooser->findChild<QFileSystemModel*>(), folder, names);
            }
            chooser->reject();
        });
        QTest::mouseClick(m_dialog->findChild<QAbstractButton*>(QStringLiteral("fileBrowser")),
                          Qt::LeftButton);
        return seen;
    }

    void pressPrint() const
    {
        auto* buttons = m_dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    void pressEnter() const
    {
        if (QCompleter* completer = fileBox()->completer())
            completer->popup()->hide();
        QTest::keyClick(fileBox(), Qt::Key_Return);
    }

private:
    QPrintDialog* m_dialog;
};

// The record files and a program folder around them, with the program's own guards of file
// access installed as the program installs them, and a preview to print from.
class PrintFixture
{
public:
    PrintFixture()
        : folder(f.file.folder()), record(f.file.path()), icons(), guard(folder), windows(f.state)
    {
        f.state.folder = ProgramFolder(folder);
        // The backup, as start-up leaves it; it is listed beside the record file.
        QFile backup(folder + QStringLiteral("/_Orv21.db"));
        backup.open(QIODevice::WriteOnly);
        backup.write("SQLite format 3");
        backup.close();
        f.addFaceSheet(Yamada, f.day(2005, 8, 20), QStringLiteral("山田"), QStringLiteral("花子"));
        f.addFaceSheet(Sato, f.day(2006, 1, 10), QStringLiteral("佐藤"), QStringLiteral("一郎"));
    }

    // Runs the dialog of 印刷... with the action given, then closes it if it is still up.
    void print(const std::function<void(QPrintDialog*)>& action)
    {
        windows.showReport(ReportKind::RapSummary);
        ReportPreview* preview = windows.designer(ReportKind::RapSummary).preview();
        QTimer::singleShot(0, preview, [action] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            action(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        preview->findChild<QAction*>(QStringLiteral("actPrint"))->trigger();
        preview->close();
    }

    bool locksHeld() const
    {
        return test::lockedByThisProcess(record) &&
               test::lockedByThisProcess(record + QStringLiteral("-shm"));
    }

    DialogsFixture f;
    const QString folder;
    const QString record;
    FileDialogIcons icons;
    PrintToFileGuard guard;
    ReportWindows windows;
};

} // namespace

class TestPrintDialogLocks : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    // The print dialog shows the program folder, as the home folder or typed into its file
    // box, or the user asks to print onto a record file; afterwards the program still holds
    // SQLite's locks, so another client's read leaves the program's next delete whole.
    void dialogKeepsTheRecordFilesLocks_data()
    {
        QTest::addColumn<bool>("homeIsProgramFolder");
        QTest::addColumn<QString>("typed"); // "{folder}" stands for the program folder
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("refused");
        QTest::newRow("家フォルダがプログラムのフォルダ") << true << ""
                                                          << ""
                                                          << "";
        QTest::newRow("プログラムのフォルダを入力") << false << "{folder}/"
                                                    << ""
                                                    << "";
        QTest::newRow("記録ファイルに印刷") << false << "{folder}/Orv21.db"
                                            << "print"
                                            << "Orv21.db";
        QTest::newRow("家フォルダの-walにEnterで印刷") << true << "Orv21.db-wal"
                                                       << "enter"
                                                       << "Orv21.db-wal";
        QTest::newRow("記録ファイルから...で選ぶ") << false << "{folder}/Orv21.db"
                                                   << "browse"
                                                   << "";
        QTest::newRow("バックアップに印刷") << false << "{folder}/_Orv21.db"
                                            << "enter"
                                            << "_Orv21.db";
    }

    void dialogKeepsTheRecordFilesLocks()
    {
        QFETCH(bool, homeIsProgramFolder);
        QFETCH(QString, typed);
        QFETCH(QString, press);
        QFETCH(QString, refused);
        PrintFixture p;
        test::TempFolder elsewhere;
        HomeFolder home(homeIsProgramFolder ? p.folder : elsewhere.path());
        const QStringList recordFiles = {"Orv21.db", "Orv21.db-wal", "Orv21.db-shm", "_Orv21.db"};
        QVERIFY(p.locksHeld());

        test::BoxCloser boxes;
        bool stillOpen = false;
        p.print([&](QPrintDialog* dialog) {
            PrintDialogDriver driver(dialog);
            if (!typed.isEmpty())
                driver.type(QString(typed).replace(QStringLiteral("{folder}"), p.folder));
            if (homeIsProgramFolder || typed.endsWith(QLatin1Char('/')))
                QVERIFY(driver.listed(p.folder, recordFiles));
            if (press == QLatin1String("print"))
                driver.pressPrint();
            else if (press == QLatin1String("enter"))
                driver.pressEnter();
            else if (press == QLatin1String("browse"))
                QVERIFY(driver.browsed(p.folder, recordFiles));
            stillOpen = dialog->isVisible();
        });
        if (!refused.isEmpty()) {
            QVERIFY(stillOpen);
            QCOMPARE(boxes.texts, QStringList{RecordFiles::refusal(refused)});
        } else {
            QCOMPARE(boxes.texts, QStringList());
        }

        QVERIFY(p.locksHeld());
        QCOMPARE(test::rowsSeenByAnotherClient(p.record, QStringLiteral("KIHON1")), 2);
        FinderLogic finder(p.f.state);
        finder.modeSet(0);
        p.f.boxes.queueAnswer(AnswerYes);
        FinderRow row;
        row.id = Yamada;
        row.kijun = p.f.day(2005, 8, 20);
        QVERIFY(finder.deleteRow(row));
        QCOMPARE(p.f.boxes.count(), 1); // the question alone, no failure
        QCOMPARE(p.f.count(QStringLiteral("KIHON1"), Yamada), 0);
        QCOMPARE(test::rowsSeenByAnotherClient(p.record, QStringLiteral("KIHON1")), 1);
    }

    // Any other file is printed to as before, Qt asking before it overwrites one.
    void otherFilesArePrintedTo()
    {
        PrintFixture p;
        test::TempFolder elsewhere;
        HomeFolder home(elsewhere.path());
        const QString pdf = elsewhere.file(QStringLiteral("report.pdf"));
        for (const bool exists : {false, true}) {
            test::BoxCloser boxes;
            bool stillOpen = false;
            p.print([&](QPrintDialog* dialog) {
                PrintDialogDriver driver(dialog);
                driver.type(pdf);
                driver.pressPrint();
                stillOpen = dialog->isVisible();
            });
            QCOMPARE(stillOpen, exists);
            QCOMPARE(boxes.texts.size(), exists ? 1 : 0);
            QVERIFY(QFileInfo(pdf).size() > 0);
        }
        QVERIFY(p.locksHeld());
    }
};

int main(int argc, char** argv)
{
    int clientExit = 0;
    if (test::runAsAnotherClient(&clientExit))
        return clientExit;
    QApplication app(argc, argv);
    TestPrintDialogLocks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printdialoglocks.moc"

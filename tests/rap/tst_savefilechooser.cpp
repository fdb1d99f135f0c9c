#include "support/AnotherClient.h"
#include "support/BoxCloser.h"
#include "support/FileListing.h"
#include "support/ModalWatchdog.h"
#include "support/TempFolder.h"

#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordFiles.h"
#include "data/Recordset.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportPreview.h"
#include "print/view/ReportWindows.h"
#include "shell/FileDialogIcons.h"
#include "shell/QtSaveFileChooser.h"
#include "shell/SaveFileDialog.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace orv;

namespace {

// Shows the dialog the folder as a user browsing there would: every file listed, with its icon
// and type, in the list and the detail view, those the filter leaves out greyed.
void browseTo(QFileDialog* dialog, const QString& folder, const QStringList& expected)
{
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model);
    model->setNameFilterDisables(true);
    dialog->setDirectory(folder);
    for (const auto mode : {QFileDialog::List, QFileDialog::Detail}) {
        dialog->setViewMode(mode);
        QVERIFY(test::listedByModel(model, folder, expected));
        dialog->grab();
    }
}

} // namespace

class TestSaveFileChooser : public QObject
{
    Q_OBJECT

    orv::test::ModalWatchdog m_watchdog; // closes a dialog that no step of a test answers

private slots:
    void cleanup() { ORV_VERIFY_MODALS_ANSWERED(m_watchdog); }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("choices");
        QTest::newRow("RTF") << "RTFファイル|*.rtf|すべてのファイル|*.*"
                             << QStringList{"RTFファイル (*.rtf)", "すべてのファイル (*)"};
        QTest::newRow("PDF") << "PDFファイル|*.pdf" << QStringList{"PDFファイル (*.pdf)"};
        QTest::newRow("複数の型") << "文書|*.rtf;*.doc" << QStringList{"文書 (*.rtf *.doc)"};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, choices);
        QCOMPARE(QtSaveFileChooser::nameFilters(filter), choices);
    }

    void dialogAddsTheExtension()
    {
        test::TempFolder folder;
        QString title;
        QStringList filters;
        bool asksBeforeOverwriting = false;
        QTimer::singleShot(0, this, [&]() {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            asksBeforeOverwriting = dialog->acceptMode() == QFileDialog::AcceptSave &&
                                    !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->setDirectory(folder.path());
            dialog->selectFile("検討用紙");
            static_cast<QDialog*>(dialog)->accept();
        });
        const QString chosen = QtSaveFileChooser(QString()).chooseSaveFile(
            "RTFファイル|*.rtf|すべてのファイル|*.*", "作成するファイル名を指定してください。");
        QCOMPARE(title, QStringLiteral("作成するファイル名を指定してください。"));
        QCOMPARE(filters.size(), 2);
        QVERIFY(asksBeforeOverwriting);
        QCOMPARE(chosen, folder.file("検討用紙.rtf"));
    }

    void cancelGivesEmpty()
    {
        QTimer::singleShot(0, this, []() {
            if (QWidget* dialog = QApplication::activeModalWidget())
                qobject_cast<QFileDialog*>(dialog)->reject();
        });
        QVERIFY(QtSaveFileChooser(QString()).chooseSaveFile("RTFファイル|*.rtf", "題").isEmpty());
    }

    // Each save dialog lists the program folder, the user picks the record file in it; the
    // dialog refuses it, and afterwards the program still holds SQLite's locks on the record
    // file, so another client's read leaves the program's reads and writes whole.
    void dialogsKeepTheRecordFilesLocks_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("review sheet") << "review sheet";
        QTest::newRow("PDF of a preview") << "preview";
        // As the print dialog's "print to file" chooser opens it.
        QTest::newRow("Qt's own") << "Qt";
    }

    void dialogsKeepTheRecordFilesLocks()
    {
        QFETCH(QString, dialog);
        test::TempFolder folder;
        const QString file = folder.file("Orv21.db");
        std::unique_ptr<Database> db = Database::create(file);
        QVERIFY(db);
        QVERIFY(db->execute("CREATE TABLE 記録 ([ID] TEXT(20))"));
        QVERIFY(db->execute("INSERT INTO 記録 VALUES (?)", {Value(QStringLiteral("山田"))}));
        folder.write("_Orv21.db", "");
        QVERIFY(test::lockedByThisProcess(file) && test::lockedByThisProcess(file + "-shm"));

        AppState state;
        state.folder = ProgramFolder(folder.path());
        QtSaveFileChooser chooser(folder.path());
        state.saveChooser = &chooser;
        test::BoxCloser boxes;
        QString refusedTo;
        const bool ours = dialog != QLatin1String("Qt");
        QTimer::singleShot(0, this, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            browseTo(shown, folder.path(), {"Orv21.db", "Orv21.db-wal", "Orv21.db-shm"});
            if (ours) {
                // The user picks the record file and presses Save.
                shown->findChild<QLineEdit*>("fileNameEdit")->setText("Orv21.db");
                static_cast<QDialog*>(shown)->accept();
                refusedTo = shown->isVisible() ? boxes.texts.value(0) : QString();
            }
            shown->reject();
        });
        if (dialog == QLatin1String("preview")) {
            ReportWindows windows(state);
            windows.showReport(ReportKind::RapSummary);
            ReportPreview* preview = windows.designer(ReportKind::RapSummary).preview();
            preview->findChild<QAction*>("actSavePdf")->trigger();
            preview->close();
        } else if (ours) {
            QVERIFY(
                chooser.chooseSaveFile("RTFファイル|*.rtf|すべてのファイル|*.*", "題").isEmpty());
        } else {
            const FileDialogIcons icons;
            QVERIFY(QFileDialog::getSaveFileName(nullptr, "題", folder.file("出力.pdf")).isEmpty());
        }
        if (ours)
            QCOMPARE(refusedTo, RecordFiles::refusal(file));
        QCOMPARE(QFileInfo(file).size() > 0, true);

        QVERIFY(test::lockedByThisProcess(file));
        QVERIFY(test::lockedByThisProcess(file + "-shm"));
        QCOMPARE(test::rowsSeenByAnotherClient(file, "記録"), 1);
        QVERIFY(db->execute("INSERT INTO 記録 VALUES (?)", {Value(QStringLiteral("佐藤"))}));
        auto rs = db->openRecordset("SELECT count(*) FROM 記録");
        QVERIFY(rs && !rs->eof());
        QCOMPARE(rs->value(0).toInteger(), 2);
        rs.reset();
        QCOMPARE(test::rowsSeenByAnotherClient(file, "記録"), 2);
    }
};

int main(int argc, char** argv)
{
    int clientExit = 0;
    if (test::runAsAnotherClient(&clientExit))
        return clientExit;
    QApplication app(argc, argv);
    TestSaveFileChooser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefilechooser.moc"

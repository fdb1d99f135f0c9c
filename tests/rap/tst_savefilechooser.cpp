#include "support/TempFolder.h"

#include "shell/QtSaveFileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

using namespace orv;

class TestSaveFileChooser : public QObject
{
    Q_OBJECT

private slots:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("choices");
        QTest::newRow("RTF") << "RTFファイル|*.rtf|すべてのファイル|*.*"
                             << QStringList{"RTFファイル (*.rtf)", "すべてのファイル (*)"};
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
        const QString chosen = QtSaveFileChooser().chooseSaveFile(
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
        QVERIFY(QtSaveFileChooser().chooseSaveFile("RTFファイル|*.rtf", "題").isEmpty());
    }
};

QTEST_MAIN(TestSaveFileChooser)
#include "tst_savefilechooser.moc"

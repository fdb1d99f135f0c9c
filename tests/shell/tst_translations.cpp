#include "shell/FileDialogIcons.h"
#include "shell/JapaneseLocale.h"
#include "shell/JapaneseTranslations.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <QTreeView>

using namespace orv;

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void qtDialogTextsAreJapanese_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("text");
        QTest::newRow("保存ダイアログの場所") << "QFileDialog"
                                              << "Look in:";
        QTest::newRow("保存ダイアログの種類") << "QFileDialog"
                                              << "Files of type:";
        QTest::newRow("キャンセル") << "QPlatformTheme"
                                    << "Cancel";
    }

    void qtDialogTextsAreJapanese()
    {
        static const bool installed = installJapaneseTranslations(*QCoreApplication::instance());
        QVERIFY(installed);
        QFETCH(QString, context);
        QFETCH(QString, text);
        const QString shown = QCoreApplication::translate(qPrintable(context), qPrintable(text));
        QVERIFY2(shown != text, qPrintable(shown));
    }

    // Dates in Japanese on a system whose locale is not (the test runs under LC_ALL=C.UTF-8),
    // also in the file dialog, which Qt writes in the system's locale.
    void datesAreJapaneseWhateverTheSystem()
    {
        QLocale::setDefault(QLocale::c());
        installJapaneseLocale(*qApp);
        const QDateTime when(QDate(2026, 12, 6), QTime(9, 5));
        QCOMPARE(QLocale().toString(when, QLocale::ShortFormat), QString("2026/12/06 9:05"));

        test::TempFolder folder;
        QFile file(folder.write("記録.rtf", "x"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
        file.close();
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        auto* list = dialog.findChild<QTreeView*>("treeView");
        QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 1);
        QCOMPARE(list->model()->index(0, 3, list->rootIndex()).data().toString(),
                 QString("2026/12/06 9:05"));
    }

    // The type column names folders as it names files, in Japanese.
    void fileTypesAreJapanese()
    {
        installJapaneseLocale(*qApp);
        const FileDialogIcons icons;
        test::TempFolder folder;
        folder.write("記録.pdf", "x");
        QVERIFY(QDir(folder.path()).mkdir("書類"));
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        auto* list = dialog.findChild<QTreeView*>("treeView");
        QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 2);
        QStringList types;
        for (int row = 0; row < 2; ++row) {
            const QModelIndex name = list->model()->index(row, 0, list->rootIndex());
            types << name.data().toString() + ": " + name.siblingAtColumn(2).data().toString();
        }
        types.sort();
        QCOMPARE(types, QStringList({"書類: フォルダ", "記録.pdf: PDF ドキュメント"}));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"

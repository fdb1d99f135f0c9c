#include "shell/JapaneseTranslations.h"

#include <QCoreApplication>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"

#include "common/AnsiText.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace orv;

class TestAnsiText : public QObject
{
    Q_OBJECT

private slots:
    void roundTripWithCrLf_data()
    {
        QTest::addColumn<AnsiTextWriter::Durability>("durability");
        QTest::newRow("synced") << AnsiTextWriter::Durability::Synced;
        QTest::newRow("unsynced") << AnsiTextWriter::Durability::Unsynced;
    }
    // Written over a longer file of the same name, which it replaces whole.
    void roundTripWithCrLf()
    {
        QFETCH(AnsiTextWriter::Durability, durability);
        test::TempFolder folder;
        folder.write("out.txt", QByteArray(4096, 'x'));
        const QStringList lines = {"<?xml version=\"1.0\" encoding=\"shift_jis\" ?>",
                                   "○×レﾚﾁｪｯｸなし", "", "平成17年8月17日", "ADL／リハビリ(A)"};
        AnsiTextWriter writer(durability);
        QVERIFY(writer.open(folder.file("out.txt")));
        for (const QString& line : lines)
            writer.writeLine(line);
        QVERIFY(writer.commit());

        QFile file(folder.file("out.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), qsizetype(lines.size()));
        // "ﾚ" is one byte in CP932, "レ" two.
        QVERIFY(bytes.contains(QByteArray::fromHex("83 8c")));
        QVERIFY(bytes.contains(QByteArray::fromHex("da c1 aa af b8")));

        QStringList read;
        QVERIFY(AnsiTextReader::readAll(folder.file("out.txt"), &read));
        QCOMPARE(read, lines);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"out.txt"});
    }

    void abortedWriterLeavesNothing()
    {
        test::TempFolder folder;
        {
            AnsiTextWriter writer;
            QVERIFY(writer.open(folder.file("partial.rtf")));
            writer.writeLine("{\\rtf1");
        }
        QVERIFY(!QFile::exists(folder.file("partial.rtf")));
    }

    void unwritablePathIsReported()
    {
        AnsiTextWriter writer;
        QString error;
        QVERIFY(!writer.open("/nonexistent-folder/x.rtf", &error));
        QCOMPARE(error, QStringLiteral("パスが見つかりません。"));
    }

    // The reasons reach the user in a box, so they are Japanese.
    void unreadablePathsAreReportedInJapanese()
    {
        test::TempFolder folder;
        QDir(folder.path()).mkdir(QStringLiteral("folder.txt"));
        QStringList read;
        QString error;
        QVERIFY(!AnsiTextReader::readAll(folder.file("missing.txt"), &read, &error));
        QCOMPARE(error, QStringLiteral("ファイルが見つかりません。"));
        QVERIFY(!AnsiTextReader::readAll(folder.file("no/such.txt"), &read, &error));
        QCOMPARE(error, QStringLiteral("パスが見つかりません。"));
        QVERIFY(!AnsiTextReader::readAll(folder.file("folder.txt"), &read, &error));
        QCOMPARE(error, QStringLiteral("ファイルを読み込めません。"));
    }

    void readsBareLineFeedsAndCarriageReturns()
    {
        test::TempFolder folder;
        const QString path = folder.write("in.txt", toAnsi("a\nb\rc\r\nd"));
        QStringList read;
        QVERIFY(AnsiTextReader::readAll(path, &read));
        QCOMPARE(read, QStringList({"a", "b", "c", "d"}));
    }
};

QTEST_GUILESS_MAIN(TestAnsiText)
#include "tst_ansitext.moc"

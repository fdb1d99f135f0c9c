#include "common/AnsiText.h"
#include "common/PrivateAppBuf.h"
#include "common/ScriptedMessageBox.h"
#include "support/TempFolder.h"

#include <QtTest>

using namespace orv;

class TestPrivateAppBuf : public QObject
{
    Q_OBJECT

    static QString writeProfile(const test::TempFolder& folder, const QString& text)
    {
        return folder.write("Orv21.PRA", toAnsi(QString(text).replace("\n", "\r\n")));
    }

private slots:
    void generalSectionAndLookups()
    {
        test::TempFolder folder;
        const QString path = writeProfile(folder, "; comment\n"
                                                  "KEY1\tvalue1\n"
                                                  "[RTF]\n"
                                                  "  BEGIN_ITEM\t{\\b ∈RAP名∋}¶∈トリガー名∋\n"
                                                  "\tmore\n"
                                                  "APPEND_LINE\t\\par\tdropped\n"
                                                  "NOVALUE\n");
        ScriptedMessageBox box;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(path, &box);
        QCOMPARE(box.count(), 0);
        QCOMPARE(buf.GetPrivateAppBuf("", "KEY1"), QString("value1"));
        QCOMPARE(buf.GetPrivateAppBuf("PrivateAppBufGeneral", "KEY1"), QString("value1"));
        QCOMPARE(buf.GetPrivateAppBuf("RTF", "BEGIN_ITEM"), QString("{\\b ∈RAP名∋}\r\n∈トリガー名∋more"));
        QCOMPARE(buf.GetPrivateAppBuf("RTF", "APPEND_LINE"), QString("\\par"));
        QCOMPARE(buf.GetPrivateAppBuf("RTF", "NOVALUE"), QString());
        QCOMPARE(buf.GetPrivateAppBuf("rtf", "APPEND_LINE"), QString());
        QCOMPARE(buf.GetPrivateAppBuf("RTF", "MISSING"), QString());
    }

    void emptyKeyHidesLaterKeys()
    {
        test::TempFolder folder;
        const QString path = writeProfile(folder, "[S]\nA\t1\n\t\t\nB\t2\n[T]\nC\t3\n");
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(path, nullptr);
        QCOMPARE(buf.GetPrivateAppBuf("S", "A"), QString("1"));
        QCOMPARE(buf.GetPrivateAppBuf("S", "B"), QString());
        QCOMPARE(buf.GetPrivateAppBuf("T", "C"), QString("3"));
    }

    void emptyHeaderHidesLaterSections()
    {
        test::TempFolder folder;
        const QString path = writeProfile(folder, "[S]\nA\t1\n[]\n[T]\nC\t3\n");
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(path, nullptr);
        QCOMPARE(buf.GetPrivateAppBuf("S", "A"), QString("1"));
        QCOMPARE(buf.GetPrivateAppBuf("T", "C"), QString());
    }

    void continuationBeforeFirstKeyIsRefused()
    {
        test::TempFolder folder;
        const QString path = writeProfile(folder, "[S]\n\torphan\nA\t1\n");
        ScriptedMessageBox box;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(path, &box);
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.last().style, int(StyleCritical));
        QCOMPARE(box.last().title, QString("SetPrivateAppBuf"));
        QVERIFY(box.last().text.endsWith("[\torphan]"));
        QCOMPARE(buf.GetPrivateAppBuf("S", "A"), QString("1"));
    }

    void hundredSectionsLoadAndTheNextStops()
    {
        test::TempFolder folder;
        QString text;
        for (int i = 1; i <= 101; ++i)
            text += QString("[S%1]\nK\t%1\n").arg(i);
        ScriptedMessageBox box;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(writeProfile(folder, text), &box);
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.last().title, QString("SetPrivateAppBuf"));
        QCOMPARE(buf.sectionCount(), 100);
        QCOMPARE(buf.GetPrivateAppBuf("S100", "K"), QString("100"));
        QCOMPARE(buf.GetPrivateAppBuf("S101", "K"), QString());
    }

    void keyLimitStopsLoading()
    {
        test::TempFolder folder;
        QString text = "[S]\n";
        for (int i = 1; i <= 202; ++i)
            text += QString("K%1\t%1\n").arg(i);
        ScriptedMessageBox box;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(writeProfile(folder, text), &box);
        QCOMPARE(box.count(), 1);
        QCOMPARE(buf.GetPrivateAppBuf("S", "K201"), QString("201"));
        QCOMPARE(buf.GetPrivateAppBuf("S", "K202"), QString());
    }

    void missingFile()
    {
        test::TempFolder folder;
        ScriptedMessageBox box;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(folder.file("none.PRA"), &box);
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.last().style, int(StyleCritical));
        QCOMPARE(box.last().title, QString("SetPrivateAppBuf"));
        QCOMPARE(buf.GetPrivateAppBuf("RTF", "BEGIN_ITEM"), QString());
    }

    void reloadEmptiesFirst()
    {
        test::TempFolder folder;
        PrivateAppBuf buf;
        buf.SetPrivateAppBuf(writeProfile(folder, "[S]\nA\t1\n"), nullptr);
        buf.SetPrivateAppBuf(folder.file("missing"), nullptr);
        QCOMPARE(buf.GetPrivateAppBuf("S", "A"), QString());
    }
};

QTEST_GUILESS_MAIN(TestPrivateAppBuf)
#include "tst_privateappbuf.moc"

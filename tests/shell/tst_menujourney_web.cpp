#include "data/Database.h"
#include "data/Recordset.h"
#include "shell/ScriptFileMessageBox.h"
#include "support/ProgramCopy.h"
#include "support/TempFolder.h"

#include "TestPaths.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace orv;
using test::logLines;
using test::ProgramCopy;

namespace {

// Clicks the first element of the menu page, in any frame, whose command is QUIT.
const char* const ClickQuit = R"JS((function find(w) {
    var els = w.document.querySelectorAll('[onclick],[href]');
    for (var i = 0; i < els.length; i++) {
        var code = (els[i].getAttribute('onclick') || '') + (els[i].getAttribute('href') || '');
        if (/QUIT/i.test(code)) { els[i].click(); return true; }
    }
    for (var j = 0; j < w.frames.length; j++)
        if (find(w.frames[j])) return true;
    return false;
})(window))JS";

struct FileFacts
{
    QByteArray hash;
    QDateTime modified;
    bool operator==(const FileFacts& other) const
    {
        return hash == other.hash && modified == other.modified;
    }
};

FileFacts factsOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256),
            QFileInfo(path).lastModified()};
}

bool backdate(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(9, 0)),
                            QFileDevice::FileModificationTime);
}

const QString Title = QStringLiteral("Orv2.1 施設ケア アセスメント表");
// A start of the program, or a start and its end: a few seconds on a loaded machine.
constexpr int ProgramRunMs = 20000;

} // namespace

class TestMenuJourney : public QObject
{
    Q_OBJECT

private slots:
    void quitFromTheMenuPage()
    {
        ProgramCopy copy;
        QVERIFY(!QFile::exists(copy.file(QStringLiteral("_Orv21.db"))));
        QProcess program;
        const QString log =
            copy.start(program, QStringLiteral("quit"), "6\n", QString::fromUtf8(ClickQuit));
        QVERIFY(program.waitForStarted());
        QVERIFY2(program.waitForFinished(ProgramRunMs), "the program did not end");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(logLines(log), QStringList{QStringLiteral("68\t%1\t終了しますか？").arg(Title)});

        // Closed: no journal left, no lock held, and the record and its backup both readable.
        const QStringList leftovers =
            QDir(copy.file(QString()))
                .entryList({QStringLiteral("Orv21.db-*"), QStringLiteral("Orv21.lock")},
                           QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers, QStringList());
        for (const QString& name : {QStringLiteral("Orv21.db"), QStringLiteral("_Orv21.db")}) {
            auto db = Database::open(copy.file(name));
            QVERIFY2(db, qPrintable(name));
            auto rs = db->openRecordset(QStringLiteral("旅の印"));
            QVERIFY(rs && !rs->eof());
            QCOMPARE(rs->value(QStringLiteral("名前")).toText(), QStringLiteral("山田　花子"));
        }
    }

    void aSecondInstanceTouchesNoFile()
    {
        ProgramCopy copy;
        QProcess first;
        const QString firstLog = copy.start(first, QStringLiteral("first"), "",
                                            QStringLiteral("window.status = '?READY'"));
        QVERIFY(first.waitForStarted());
        QVERIFY2(QTest::qWaitFor([&] { return !logLines(firstLog).isEmpty(); }, ProgramRunMs),
                 "the program did not start");
        QCOMPARE(logLines(firstLog).first(),
                 QStringLiteral("0\t%1\t次のコマンドが発行されました\\nREADY").arg(Title));

        const QString db = copy.file(QStringLiteral("Orv21.db"));
        const QString backup = copy.file(QStringLiteral("_Orv21.db"));
        QVERIFY(QFile::exists(db) && QFile::exists(backup));
        // Dated far back, so that a rewrite shows in the modification time however coarse
        // the file system keeps it.
        QVERIFY(backdate(db) && backdate(backup));
        const FileFacts dbBefore = factsOf(db);
        const FileFacts backupBefore = factsOf(backup);

        QProcess second;
        const QString secondLog = copy.start(second, QStringLiteral("second"), "", QString());
        QVERIFY(second.waitForStarted());
        QVERIFY(second.waitForFinished(ProgramRunMs));
        QVERIFY(second.exitCode() != 0);
        QCOMPARE(
            logLines(secondLog),
            QStringList{QStringLiteral("16\t%1\t既に起動されているので、終了します。").arg(Title)});
        QVERIFY(factsOf(db) == dbBefore);
        QVERIFY(factsOf(backup) == backupBefore);
        QVERIFY(first.state() == QProcess::Running);

        first.kill();
        first.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestMenuJourney)
#include "tst_menujourney_web.moc"

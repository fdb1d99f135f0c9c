#include "support/ProgramCopy.h"

#include "data/Database.h"
#include "shell/ScriptFileMessageBox.h"

#include "TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace orv::test {

namespace {

const char* const OwnMenuPage = R"HTML(<!DOCTYPE html><html><head><meta charset="utf-8"></head>
<body><input type="button" value="終了" onclick="window.status='?QUIT'"></body></html>)HTML";

} // namespace

ProgramCopy::ProgramCopy()
{
    const QDir source(QString::fromUtf8(ORV_TEST_PROGRAM_DIR));
    QDirIterator it(source.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        if (relative == QLatin1String("Orv21.lock") || relative.startsWith(QLatin1String("_Orv21")))
            continue;
        const QString to = m_folder.file(relative);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
        QFile::setPermissions(to, QFileInfo(from).permissions() | QFileDevice::WriteOwner);
    }
    if (!QFile::exists(file(QStringLiteral("MainMenu/MainMenuFr.htm"))))
        m_folder.write(QStringLiteral("MainMenu/MainMenuFr.htm"), OwnMenuPage);
    if (!QFile::exists(file(QStringLiteral("Orv21.PRA"))))
        m_folder.write(QStringLiteral("Orv21.PRA"), "[RTF]\r\n");
    if (!QFile::exists(file(QStringLiteral("Orv21.db"))))
        Database::create(file(QStringLiteral("Orv21.db")));
    auto db = Database::open(file(QStringLiteral("Orv21.db")));
    QVERIFY(db);
    QVERIFY(db->execute(QStringLiteral("CREATE TABLE [旅の印] ([名前] TEXT(20))")));
    QVERIFY(db->execute(QStringLiteral("INSERT INTO [旅の印] VALUES (?)"),
                        {Value(QStringLiteral("山田　花子"))}));
}

QString ProgramCopy::start(QProcess& process, const QString& name, const QByteArray& answers,
                           const QString& pageScript)
{
    const QString answerFile = m_folder.write(name + QStringLiteral(".answers"), answers);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ScriptFileMessageBox::EnvironmentVariable), answerFile);
    env.insert(QStringLiteral("ORV_TEST_PAGE_SCRIPT"), pageScript);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProgram(file(QStringLiteral("Orv21")));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    return answerFile + QStringLiteral(".log");
}

QStringList logLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace orv::test

#include "shell/ScriptFileMessageBox.h"

#include <QFile>
#include <QTextStream>

namespace orv {

const char* ScriptFileMessageBox::EnvironmentVariable = "ORV_TEST_MESSAGE_ANSWERS";

ScriptFileMessageBox::ScriptFileMessageBox(const QString& answerFile)
    : m_logFile(answerFile + QStringLiteral(".log"))
{
    QFile file(answerFile);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        m_answers = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int ScriptFileMessageBox::show(const QString& text, int style, const QString& title)
{
    QFile log(m_logFile);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QString flat = text;
        flat.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
        log.write(QStringLiteral("%1\t%2\t%3\n")
                      .arg(style)
                      .arg(title.isEmpty() ? applicationTitle() : title, flat)
                      .toUtf8());
    }
    if (!m_answers.isEmpty())
        return m_answers.takeFirst().trimmed().toInt();
    return isYesNoStyle(style) ? AnswerYes : AnswerOk;
}

} // namespace orv

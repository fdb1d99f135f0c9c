#include "common/ScriptedMessageBox.h"

#include <QStringList>

namespace orv {

int ScriptedMessageBox::show(const QString& text, int style, const QString& title)
{
    m_shown.append({text, style, title.isEmpty() ? applicationTitle() : title});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    return isYesNoStyle(style) ? AnswerYes : AnswerOk;
}

QStringList ScriptedMessageBox::texts() const
{
    QStringList result;
    for (const Shown& box : m_shown)
        result << box.text;
    return result;
}

void ScriptedMessageBox::clear()
{
    m_shown.clear();
    m_answers.clear();
}

} // namespace orv

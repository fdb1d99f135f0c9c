#pragma once

#include "common/MessageBoxService.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace orv {

// Test double: records every box and answers from a queue (Yes, or OK, when it runs dry).
class ScriptedMessageBox : public MessageBoxService
{
public:
    struct Shown
    {
        QString text;
        int style = 0;
        QString title;
    };

    int show(const QString& text, int style = StyleOk, const QString& title = QString()) override;

    void queueAnswer(int answer) { m_answers.enqueue(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    QStringList texts() const;
    Shown last() const { return m_shown.isEmpty() ? Shown() : m_shown.last(); }
    void clear();

private:
    QList<Shown> m_shown;
    QQueue<int> m_answers;
};

} // namespace orv

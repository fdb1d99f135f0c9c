#pragma once

#include "common/MessageBoxService.h"

#include <QString>
#include <QStringList>

namespace orv {

// Test hook for runs without a person: answers boxes from a file (one answer a line: 1 OK,
// 6 Yes, 7 No; Yes or OK once the file runs dry) and appends every box shown to the file
// named like it with ".log" added (style, a tab, the title, a tab, the text with line breaks
// written as \n).
class ScriptFileMessageBox : public MessageBoxService
{
public:
    // The environment variable naming the answer file; unset in normal use.
    static const char* EnvironmentVariable;

    explicit ScriptFileMessageBox(const QString& answerFile);
    int show(const QString& text, int style = StyleOk, const QString& title = QString()) override;

private:
    QString m_logFile;
    QStringList m_answers;
};

} // namespace orv

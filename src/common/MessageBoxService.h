#pragma once

#include <QString>

namespace orv {

// Message-box styles: the button set plus the icon.
enum MessageStyle {
    StyleOk = 0,
    StyleCritical = 16,
    StyleExclamation = 48,
    StyleYesNoExclamation = 52,
    StyleInformation = 64,
    StyleYesNoInformation = 68,
};

enum MessageAnswer {
    AnswerOk = 1,
    AnswerYes = 6,
    AnswerNo = 7,
};

// The title a box carries when it sets none of its own.
QString applicationTitle();

bool isYesNoStyle(int style);

// Every modal message of the program goes through this interface.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    // Returns AnswerOk, AnswerYes or AnswerNo.
    virtual int show(const QString& text, int style = StyleOk, const QString& title = QString()) = 0;
};

} // namespace orv

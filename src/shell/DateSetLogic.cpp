#include "shell/DateSetLogic.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "shell/KeyDate.h"

namespace orv {

bool DateSetLogic::accept(const QString& dateText)
{
    const std::optional<DateValue> date = KeyDate::fromText(dateText);
    if (!date) {
        // The same text whatever the caller's caption says.
        m_state.msg->show(QStringLiteral("基準日の指定の仕方が間違っています"), StyleCritical);
        return false;
    }
    m_state.CurKijunbi = *date;
    return true;
}

} // namespace orv

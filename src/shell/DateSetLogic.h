#pragma once

#include <QString>

namespace orv {

struct AppState;

// The check of the date dialog: a date text left in CurKijunbi, or refused with a message.
class DateSetLogic
{
public:
    explicit DateSetLogic(AppState& state) : m_state(state) {}
    bool accept(const QString& dateText);

private:
    AppState& m_state;
};

} // namespace orv

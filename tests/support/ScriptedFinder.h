#pragma once

#include "common/DateValue.h"
#include "data/RecordFinder.h"

#include <QList>
#include <QPair>
#include <QQueue>
#include <QString>

namespace orv {
struct AppState;
}

namespace orv::test {

// Finder double: each pick takes the next queued key; an empty queue is a cancelled finder.
// Like the real finder it empties CurID first, and it records how it was asked.
class ScriptedFinder : public RecordFinder
{
public:
    explicit ScriptedFinder(AppState& state) : m_state(state) {}
    void pick(int mode, bool withNewButton) override;

    QQueue<QPair<QString, DateValue>> picks;
    QList<int> modes;
    QList<bool> newButtons;
    // Whether CurID was empty and CurKijunbi zero when each pick began.
    QList<bool> selectionClearOnEntry;

private:
    AppState& m_state;
};

} // namespace orv::test

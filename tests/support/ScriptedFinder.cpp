#include "support/ScriptedFinder.h"

#include "data/AppState.h"

namespace orv::test {

void ScriptedFinder::pick(int mode, bool withNewButton)
{
    modes << mode;
    newButtons << withNewButton;
    selectionClearOnEntry << (m_state.CurID.isEmpty() && m_state.CurKijunbi.isZero());
    m_state.CurID.clear();
    if (picks.isEmpty())
        return;
    const QPair<QString, DateValue> next = picks.dequeue();
    m_state.CurID = next.first;
    m_state.CurKijunbi = next.second;
}

} // namespace orv::test

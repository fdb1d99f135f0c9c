#include "shell/QtRecordFinder.h"

#include "data/AppState.h"
#include "shell/frmDBFind2.h"

namespace orv {

void QtRecordFinder::pick(int mode, bool withNewButton)
{
    // Closing the finder without a pick leaves CurID empty.
    m_state.CurID.clear();
    frmDBFind2 finder(m_state, m_parent);
    finder.ModeSet(mode);
    finder.setNewButtonVisible(withNewButton);
    finder.exec();
}

} // namespace orv

#include "data/AppState.h"

#include "data/Database.h"
#include "data/Recordset.h"

namespace orv {

AppState::AppState() = default;

AppState::~AppState()
{
    // Record sets go before the connection they read.
    CurRs.reset();
    RapRs.reset();
    Db.reset();
}

} // namespace orv

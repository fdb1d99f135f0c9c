#pragma once

namespace orv {

struct AppState;

// Verification mode (検定モード): the RAPs of every assessment recomputed in one batch, each
// RAP row holding the verdict list. The mode stays on for the rest of the run.
class VerificationMode
{
public:
    explicit VerificationMode(AppState& state) : m_state(state) {}

    // Reached by the main window's key chord.
    void KenteiMode();

private:
    AppState& m_state;
};

} // namespace orv

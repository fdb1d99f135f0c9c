#pragma once

#include "print/ReportDisplay.h"

#include <map>
#include <memory>

namespace orv {

struct AppState;
class ReportDesigner;

// The report designers of the run, one of each, created on first use; showing a report runs
// it on the data file just written and brings its preview up.
class ReportWindows : public ReportDisplay
{
public:
    explicit ReportWindows(AppState& state);
    ~ReportWindows() override;

    void showReport(ReportKind kind) override;
    // The designer of a kind, created (and initialised) if it does not exist yet.
    ReportDesigner& designer(ReportKind kind);
    bool exists(ReportKind kind) const { return m_designers.count(kind) > 0; }

private:
    std::unique_ptr<ReportDesigner> create(ReportKind kind) const;

    AppState& m_state;
    std::map<ReportKind, std::unique_ptr<ReportDesigner>> m_designers;
};

} // namespace orv

#pragma once

#include "rap/RapStore.h"
#include "rap/SectionValues.h"
#include "rap/TriggerEngine.h"

#include <memory>

namespace orv {

struct AppState;

enum class RapRunOutcome
{
    Cancelled,    // no assessment picked: nothing done
    Evaluated,    // Trigger, RAPSense and the RAP row written
    NotEvaluated, // a section row missing or a value out of range: nothing written
    Failed,       // a database error: nothing written
};

// The RAP run of one assessment (frmMenu.RAP_CREATE): the pick, the trigger rules of sections
// B to P, the decision and the rows Trigger, RAPSense and RAP, written in one transaction.
// Keep one object for a batch of runs: its statements are prepared once.
class RapRun
{
public:
    explicit RapRun(AppState& state);
    ~RapRun();

    // The whole run with its pick (skipped in verification mode) and its boxes. A run that
    // writes nothing leaves CurID empty, so the operation that follows does nothing.
    RapRunOutcome RAP_CREATE();

    // Evaluates CurID / CurKijunbi without pick or box; problem and error say why not.
    RapRunOutcome evaluateSelection(AssessmentProblem* problem, QString* error);

    // "<name>さん（ID <id>）の<date>のアセスメント" and why it was not evaluated.
    static QString describeAssessment(const QString& id, const DateValue& date,
                                      const QString& name);
    static QString problemText(const AssessmentProblem& problem);

    RapStore* store() { return m_store.get(); }
    // The name read by the last evaluation, even when it was not evaluated.
    const QString& lastName() const { return m_lastName; }

private:
    AppState& m_state;
    std::unique_ptr<RapStore> m_store;
    TriggerEngine m_engine;
    SectionValues m_values;
    TriggerResult m_result;
    QString m_lastName;
};

} // namespace orv

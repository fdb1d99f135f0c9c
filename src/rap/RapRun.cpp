#include "rap/RapRun.h"

#include "common/DateFormat.h"
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordFinder.h"
#include "data/Recordset.h"
#include "rap/RapCodeTable.h"
#include "rap/TriggerRuleTable.h"

namespace orv {

namespace {
const QString ErrorTitle = QStringLiteral("エラーが発生しました");
constexpr int AssessmentMode = 1;
} // namespace

RapRun::RapRun(AppState& state)
    : m_state(state),
      m_store(state.Db && state.Db->isOpen() ? std::make_unique<RapStore>(*state.Db) : nullptr),
      m_engine(TriggerRuleTable::instance())
{
}

RapRun::~RapRun() = default;

RapRunOutcome RapRun::RAP_CREATE()
{
    if (!m_state.TestMode) {
        m_state.CurID.clear();
        if (m_state.finder)
            m_state.finder->pick(AssessmentMode);
    }
    if (m_state.CurID.isEmpty())
        return RapRunOutcome::Cancelled;

    AssessmentProblem problem;
    QString error;
    const RapRunOutcome outcome = evaluateSelection(&problem, &error);
    if (outcome == RapRunOutcome::Evaluated)
        return outcome;

    const QString what = describeAssessment(m_state.CurID, m_state.CurKijunbi, m_lastName);
    if (m_state.msg) {
        if (outcome == RapRunOutcome::NotEvaluated)
            m_state.msg->show(what + QStringLiteral("はRAPを判定できませんでした。\r\n") +
                                  problemText(problem),
                              StyleCritical);
        else
            m_state.msg->show(what +
                                  QStringLiteral("のRAP判定で、データベースのエラーが"
                                                 "発生しました。\r\n") +
                                  error,
                              StyleCritical, ErrorTitle);
    }
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue::zero();
    return outcome;
}

RapRunOutcome RapRun::evaluateSelection(AssessmentProblem* problem, QString* error)
{
    m_state.RapRs.reset();
    m_lastName.clear();
    if (!m_store) {
        *error = QStringLiteral("データベースが開かれていません。");
        return RapRunOutcome::Failed;
    }
    const QString id = m_state.CurID;
    const DateValue date = m_state.CurKijunbi;
    if (!m_store->readAssessment(id, date, &m_lastName, &m_values, problem, error))
        return RapRunOutcome::Failed;
    if (!problem->isEmpty())
        return RapRunOutcome::NotEvaluated;

    m_engine.evaluate(m_values, &m_result);
    const QString list = RapCodeTable::instance().WriteRAPList(m_result.marks, m_state.TestMode);
    if (!m_store->writeRun(id, date, m_result, list, error))
        return RapRunOutcome::Failed;
    m_state.CurName = m_lastName;
    return RapRunOutcome::Evaluated;
}

QString RapRun::describeAssessment(const QString& id, const DateValue& date, const QString& name)
{
    const QString who = name.isEmpty() ? QStringLiteral("ID %1 の利用者").arg(id)
                                       : QStringLiteral("%1さん（ID %2）").arg(name, id);
    return QStringLiteral("%1の%2のアセスメント").arg(who, DateFormat::eraLong(date));
}

QString RapRun::problemText(const AssessmentProblem& problem)
{
    if (!problem.missingTables.isEmpty())
        return QStringLiteral("セクション %1 の記録がありません。")
            .arg(problem.missingTables.join(QStringLiteral("、")));
    return QStringLiteral("項目 %1 の値「%2」は -32768 から 32767 までの整数ではありません。")
        .arg(problem.badColumn, problem.badValue);
}

} // namespace orv

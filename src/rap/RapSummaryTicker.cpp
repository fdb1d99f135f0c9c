#include "rap/RapSummaryTicker.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"

namespace orv {

void RapSummaryTicker::RAP_SAM_SET(const DateValue& RAPDate)
{
    if (!m_state.Db)
        return reportError(QStringLiteral("データベースが開かれていません。"));
    QString error;
    // Key dates are stored without a time of day: both rows are found by day.
    m_state.RapRs =
        m_state.Db->openRecordset(QStringLiteral("SELECT * FROM RAP WHERE [ID]=? AND [記入日]=?"),
                                  {Value(m_state.CurID), Value(RAPDate.dateOnly())}, &error);
    if (!m_state.RapRs)
        return reportError(error);
    if (m_state.RapRs->eof()) {
        if (m_state.msg)
            m_state.msg->show(QStringLiteral("RAP選定データがありません"), StyleCritical);
        return;
    }
    const QString list = NullToStr(m_state.RapRs->value(QStringLiteral("RAP")));
    m_state.RapRs->close();
    m_state.RapRs.reset();

    std::unique_ptr<Recordset> summary = m_state.Db->openRecordset(
        QStringLiteral("SELECT * FROM S WHERE [ID]=? AND [基準日]=?"),
        {Value(m_state.CurID), Value(m_state.CurKijunbi.dateOnly())}, &error);
    if (!summary)
        return reportError(error);
    for (int n = 1; n <= 20 && !summary->eof(); ++n) {
        if (!list.contains(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))))
            continue;
        if (!SetRAPsData(QStringLiteral("S%1-a").arg(n), *summary, &error)) {
            reportError(error);
            break;
        }
    }
    summary->close();
}

bool RapSummaryTicker::SetRAPsData(const QString& ItemName, Recordset& rs, QString* error)
{
    rs.edit();
    if (rs.setValue(ItemName, Value(1), error) && rs.update(error))
        return true;
    rs.cancelUpdate();
    return false;
}

void RapSummaryTicker::reportError(const QString& error)
{
    if (m_state.msg)
        m_state.msg->show(error, StyleCritical, QStringLiteral("エラーが発生しました"));
}

} // namespace orv

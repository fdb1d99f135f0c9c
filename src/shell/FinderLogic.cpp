#include "shell/FinderLogic.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordDeleter.h"

namespace orv {

void FinderLogic::modeSet(int mode)
{
    m_mode = mode;
    if (const FinderMode* info = FinderQuery::mode(mode))
        m_info = info;
    m_source = m_info ? FinderQuery::emptyList(*m_info) : SqlQuery();
}

bool FinderLogic::search(const FinderBoxes& boxes)
{
    if (boxes.id.isEmpty() && boxes.name.isEmpty() && boxes.reading.isEmpty() &&
        boxes.date.isEmpty() && boxes.birth.isEmpty()) {
        m_state.msg->show(QStringLiteral("検索条件が入力されていません"), StyleCritical);
        return false;
    }
    FinderCriteria criteria;
    criteria.id = boxes.id;
    criteria.name = boxes.name;
    criteria.reading = boxes.reading;
    if (!boxes.date.isEmpty()) {
        const std::optional<DateValue> date = DateParser::parse(boxes.date);
        if (!date) {
            const QString label = m_info ? m_info->dateLabel : QStringLiteral("記入日");
            m_state.msg->show(label + QStringLiteral("の指定がおかしいです"), StyleCritical);
            return false;
        }
        criteria.date = *date;
        criteria.hasDate = true;
    }
    if (!boxes.birth.isEmpty()) {
        const std::optional<DateValue> birth = DateParser::parse(boxes.birth);
        if (!birth) {
            m_state.msg->show(QStringLiteral("生年月日の指定がおかしいです"), StyleCritical);
            return false;
        }
        criteria.birth = *birth;
        criteria.hasBirth = true;
    }
    if (m_info)
        m_source = FinderQuery::search(*m_info, criteria);
    return true;
}

void FinderLogic::pick(const FinderRow& row)
{
    m_state.CurID = row.id;
    m_state.CurKijunbi = row.kijun;
}

QString FinderLogic::dateText(const DateValue& date)
{
    return date.isZero() ? QString() : DateFormat::generalDate(date);
}

QString FinderLogic::deleteQuestion(const FinderRow& row) const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("ID:[") + row.id + QStringLiteral("]") + crlf +
           QStringLiteral("対象者名:[") + row.name + QStringLiteral("]") + crlf +
           m_info->dateLabel + QStringLiteral(":[") + dateText(row.kijun) + QStringLiteral("]") +
           crlf + crlf + QStringLiteral("削除しますか？");
}

bool FinderLogic::deleteRecord(const FinderRow& row, QString* error)
{
    if (!m_state.Db) {
        *error = QStringLiteral("データベースが開かれていません。");
        return false;
    }
    RecordDeleter deleter(*m_state.Db);
    switch (m_mode) {
    case 0:
        return deleter.KIHONDel(row.id, row.kijun, error);
    case 1:
        return deleter.AssessmentDel(row.id, row.kijun, error);
    default:
        return deleter.deleteRecord(m_info->table, row.id, row.kijun, error);
    }
}

bool FinderLogic::deleteRow(const FinderRow& row)
{
    if (!FinderQuery::mode(m_mode))
        return false;
    if (m_state.msg->show(deleteQuestion(row), StyleYesNoExclamation, m_info->deleteTitle) !=
        AnswerYes)
        return false;
    QString error;
    const bool deleted = deleteRecord(row, &error);
    if (!deleted)
        m_state.msg->show(QStringLiteral("削除できませんでした。\r\n%1").arg(error), StyleCritical,
                          m_info->deleteTitle);
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue::zero();
    return deleted;
}

} // namespace orv

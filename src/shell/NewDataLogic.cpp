#include "shell/NewDataLogic.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/StoreText.h"
#include "shell/KeyDate.h"

namespace orv {

namespace {

// The table name is the program's own, never typed by the user; it is checked against the
// file's tables all the same before it goes into a statement.
QString knownTable(Database* db, const QString& table)
{
    return db && db->schema(table) ? table : QString();
}

} // namespace

QString NewDataLogic::fullName(const QString& id) const
{
    const QString table = knownTable(m_state.Db.get(), m_state.CurTable);
    if (table.isEmpty())
        return newResidentText();
    std::unique_ptr<Recordset> rs = m_state.Db->openRecordset(
        QStringLiteral("SELECT [1-1-1], [1-1-2] FROM [%1] WHERE [ID] = ?").arg(table), {Value(id)});
    if (!rs || rs->eof())
        return newResidentText();
    const QString name = NullToStr(rs->value(0)) + NullToStr(rs->value(1));
    rs->close();
    return name;
}

int NewDataLogic::idColumnSize() const
{
    const TableSchema* schema = m_state.Db ? m_state.Db->schema(m_state.CurTable) : nullptr;
    if (!schema)
        return 0;
    const int index = schema->indexOf(QStringLiteral("ID"));
    return index < 0 ? 0 : schema->columns[index].size;
}

bool NewDataLogic::accept(const QString& id, const QString& dateText)
{
    if (id.isEmpty()) {
        m_state.msg->show(QStringLiteral("IDを入力してください"), StyleCritical);
        return false;
    }
    if (StoreText::hasLoneSurrogate(id)) {
        m_state.msg->show(StoreText::UnstorableCharacter, StyleCritical);
        return false;
    }
    const int size = idColumnSize();
    if (!StoreText::fits(id, size)) {
        m_state.msg->show(
            QStringLiteral("IDが長すぎます。IDは%1文字以内で入力してください").arg(size) +
                StoreText::countingNote(id),
            StyleCritical);
        return false;
    }
    const std::optional<DateValue> date = KeyDate::fromText(dateText);
    if (!date) {
        m_state.msg->show(QStringLiteral("記入日の指定が間違っています"), StyleCritical);
        return false;
    }
    const QString table = knownTable(m_state.Db.get(), m_state.CurTable);
    QString error;
    std::unique_ptr<Recordset> rs =
        table.isEmpty()
            ? nullptr
            : m_state.Db->openRecordset(
                  QStringLiteral("SELECT * FROM [%1] WHERE [ID] = ? AND [基準日] = ?").arg(table),
                  {Value(id), Value(*date)}, &error);
    if (!rs) {
        m_state.msg->show(QStringLiteral("データベースを読めません。\r\n%1").arg(error),
                          StyleCritical);
        return false;
    }
    const bool exists = !rs->eof();
    rs->close();
    if (exists) {
        m_state.msg->show(QStringLiteral("既に同じIDおよび記入日でのデータが存在します。"),
                          StyleCritical);
        return false;
    }
    m_state.CurID = id;
    m_state.CurKijunbi = *date;
    return true;
}

void NewDataLogic::cancel()
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue::zero();
}

} // namespace orv

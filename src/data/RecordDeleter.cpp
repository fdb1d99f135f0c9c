#include "data/RecordDeleter.h"

#include "data/Database.h"
#include "data/Recordset.h"

#include <QStringList>

namespace orv {

namespace {

bool begun(const TransactionGuard& transaction, QString* error)
{
    if (!transaction.ok() && error)
        *error = QStringLiteral("トランザクションを開始できません。");
    return transaction.ok();
}

} // namespace

QStringList RecordDeleter::sectionTables()
{
    QStringList tables;
    for (char letter = 'A'; letter <= 'R'; ++letter)
        tables << QString(QLatin1Char(letter));
    return tables;
}

bool RecordDeleter::deleteByKey(const QString& table, const QString& id, const DateValue& kijun,
                                QString* error)
{
    return m_db.execute(
        QStringLiteral("DELETE FROM [%1] WHERE [ID] = ? AND [基準日] = ?").arg(table),
        {Value(id), Value(kijun)}, error);
}

bool RecordDeleter::KIHONDel(const QString& id, const DateValue& kijun, QString* error)
{
    TransactionGuard transaction(m_db);
    if (!begun(transaction, error) || !deleteByKey(QStringLiteral("KIHON1"), id, kijun, error))
        return false;
    std::unique_ptr<Recordset> left = m_db.openRecordset(
        QStringLiteral("SELECT [ID] FROM KIHON1 WHERE [ID] = ?"), {Value(id)}, error);
    if (!left)
        return false;
    const bool lastFaceSheet = left->eof();
    left->close();
    if (lastFaceSheet) {
        // The resident is gone: every record of A to T goes too; the RAP tables stay.
        const QStringList tables = sectionTables() << QStringLiteral("S") << QStringLiteral("T");
        for (const QString& table : tables) {
            if (!m_db.execute(QStringLiteral("DELETE FROM [%1] WHERE [ID] = ?").arg(table),
                              {Value(id)}, error))
                return false;
        }
    }
    return transaction.commit(error);
}

bool RecordDeleter::AssessmentDel(const QString& id, const DateValue& kijun, QString* error)
{
    TransactionGuard transaction(m_db);
    if (!begun(transaction, error))
        return false;
    for (const QString& table : sectionTables()) {
        if (!deleteByKey(table, id, kijun, error))
            return false;
    }
    return transaction.commit(error);
}

bool RecordDeleter::deleteRecord(const QString& table, const QString& id, const DateValue& kijun,
                                 QString* error)
{
    return deleteByKey(table, id, kijun, error);
}

} // namespace orv

#include "shell/FirstFaceSheet.h"

#include "data/Database.h"
#include "data/Recordset.h"

namespace orv {

FirstFaceSheet::FirstFaceSheet(Database& db, const QString& id)
{
    std::unique_ptr<Recordset> rs = db.openRecordset(
        QStringLiteral("SELECT * FROM KIHON1 WHERE [ID]=? ORDER BY [基準日] LIMIT 1"), {Value(id)});
    if (!rs || rs->eof())
        return;
    m_found = true;
    static const char* const columns[] = {"1-1-1", "1-1-2", "1-1-3", "1-1-4"};
    for (int i = 0; i < 4; ++i)
        m_names[i] = rs->value(QString::fromLatin1(columns[i]));
    m_birthDate = rs->value(QStringLiteral("1-3-1"));
    rs->close();
}

Value FirstFaceSheet::fullName() const
{
    if (m_names[0].isNull() && m_names[1].isNull())
        return Value();
    return Value(NullToStr(m_names[0]) + NullToStr(m_names[1]));
}

} // namespace orv

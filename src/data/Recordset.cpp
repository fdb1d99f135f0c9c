#include "data/Recordset.h"

namespace orv {

Value Recordset::value(const QString& name) const
{
    const int index = columnIndex(name);
    return index < 0 ? Value() : value(index);
}

bool Recordset::setValue(const QString& name, const Value& value, QString* error)
{
    const int index = columnIndex(name);
    if (index < 0) {
        if (error)
            *error = QStringLiteral("項目 '%1' はこのコレクションにはありません。").arg(name);
        return false;
    }
    return setValue(index, value, error);
}

} // namespace orv

#include "data/Field.h"

#include "data/Recordset.h"

namespace orv {

bool Field::isValid() const
{
    return m_index >= 0 && m_index < m_recordset.fieldCount();
}

const ColumnInfo& Field::info() const
{
    return m_recordset.column(m_index);
}

Value Field::value() const
{
    return m_recordset.value(m_index);
}

bool Field::setValue(const Value& value, QString* error)
{
    return m_recordset.setValue(m_index, value, error);
}

} // namespace orv

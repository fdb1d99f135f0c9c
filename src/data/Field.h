#pragma once

#include "common/Value.h"
#include "data/ColumnInfo.h"

namespace orv {

class Recordset;

// One column of a recordset's current row: its name, DAO type, size, properties and value.
class Field
{
public:
    Field(Recordset& recordset, int index) : m_recordset(recordset), m_index(index) {}

    bool isValid() const;
    int index() const { return m_index; }
    const ColumnInfo& info() const;
    QString name() const { return info().name; }
    int type() const { return info().type; }
    int size() const { return info().size; }
    QString property(const QString& propertyName) const { return info().property(propertyName); }

    Value value() const;
    bool setValue(const Value& value, QString* error = nullptr);

private:
    Recordset& m_recordset;
    int m_index;
};

} // namespace orv

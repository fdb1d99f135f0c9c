#include "data/ColumnInfo.h"

namespace orv {

bool ColumnInfo::hasProperty(const QString& propertyName) const
{
    for (const auto& property : properties) {
        if (property.first.compare(propertyName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ColumnInfo::property(const QString& propertyName) const
{
    for (const auto& property : properties) {
        if (property.first.compare(propertyName, Qt::CaseInsensitive) == 0)
            return property.second;
    }
    return QString();
}

int TableSchema::indexOf(const QString& column) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace orv

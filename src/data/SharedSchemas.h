#pragma once

#include "data/ColumnInfo.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

namespace orv {

// The table facts read from one record file, shared by every connection of this process to
// it, so a connection opened for one task does not read them again. They hold for one schema
// version of the file; a schema seen to change forgets them all.
class SharedSchemas
{
public:
    // The facts of the file at path, made on first use and kept while a connection holds them.
    static std::shared_ptr<SharedSchemas> of(const QString& path);

    // nullptr when the table has not been read at that schema version.
    std::shared_ptr<TableSchema> find(const QString& table, qint64 version) const;
    void store(const QString& table, qint64 version, const std::shared_ptr<TableSchema>& schema);
    void forget();

private:
    qint64 m_version = -1;
    QHash<QString, std::shared_ptr<TableSchema>> m_schemas;
    // Callers may still hold a schema they were handed; it stays valid.
    QVector<std::shared_ptr<TableSchema>> m_retired;
};

} // namespace orv
